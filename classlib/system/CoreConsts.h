#pragma once
// The messages of the class library, in one place (Delphi's SysConst, RTLConsts and Consts).
// Texts with "%" are Format patterns.

namespace cl::consts {

// SysUtils
inline constexpr const char* SOperationAborted = "Operation aborted";
inline constexpr const char* SOSError = "System Error.  Code: %d.\r\n%s";
inline constexpr const char* SUnkOSError = "A call to an OS function failed";
inline constexpr const char* SAssertionFailed = "Assertion failed";
inline constexpr const char* SAssertError = "%s (%s, line %d)";
inline constexpr const char* SInvalidCast = "Invalid class typecast";
inline constexpr const char* SInvalidFormat = "Format '%s' invalid or incompatible with argument";
inline constexpr const char* SInvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* SInvalidBoolean = "'%s' is not a valid boolean value";
inline constexpr const char* SInvalidFloat = "'%s' is not a valid floating point value";
inline constexpr const char* SDateEncodeError = "Invalid argument to date encode";
inline constexpr const char* STimeEncodeError = "Invalid argument to time encode";

// Classes: components, lists, streams, files
inline constexpr const char* SAssignError = "Cannot assign a %s to a %s";
inline constexpr const char* SListIndexError = "List index out of bounds (%d)";
inline constexpr const char* SDuplicateName = "A component named %s already exists";
inline constexpr const char* SInvalidName = "'%s' is not a valid component name";
inline constexpr const char* SOwnershipCycle = "A component cannot own itself or its owner";
inline constexpr const char* SSortedListError = "Operation not allowed on sorted list";
inline constexpr const char* SDuplicateString = "String list does not allow duplicates";
inline constexpr const char* SReadError = "Stream read error";
inline constexpr const char* SWriteError = "Stream write error";
inline constexpr const char* SStreamSetSize = "Stream size cannot be changed";
inline constexpr const char* SMemoryStreamError = "Out of memory while expanding memory stream";
inline constexpr const char* SFCreateError = "Cannot create file \"%s\". %s";
inline constexpr const char* SFOpenError = "Cannot open file \"%s\". %s";
inline constexpr const char* SResNotFound = "Resource %s not found";

// Form loader
inline constexpr const char* SUnknownProperty = "Property %s does not exist";
inline constexpr const char* SInvalidPropertyValue = "Invalid property value of %s";
inline constexpr const char* SInvalidPropertyName = "Invalid property name '%s'";
inline constexpr const char* SUnresolvedReference = "Unresolved component reference '%s'";

// Threads
inline constexpr const char* SThreadCreateError = "Thread creation error: %s";
inline constexpr const char* SThreadWaitSelf = "Cannot call WaitFor on the thread itself";
inline constexpr const char* SThreadNotStarted = "Cannot wait for a thread that was never started";

// System resources and the application
inline constexpr const char* SOutOfResources = "Out of system resources";
inline constexpr const char* SOutOfMemory = "Out of memory";
inline constexpr const char* SNoTimers = "Not enough timers available";
inline constexpr const char* SUnknownException = "Unknown exception";

// Graphics
inline constexpr const char* SInvalidBitmap = "Bitmap image is not valid";
inline constexpr const char* SInvalidIcon = "Icon image is not valid";
inline constexpr const char* SNoCanvasHandle = "Canvas does not allow drawing";
inline constexpr const char* SChangeIconSize = "Cannot change the size of an icon";
inline constexpr const char* SIconNotFromFile = "Cannot save an icon that was not read from a file";
inline constexpr const char* SImageIndexError = "Invalid ImageList Index";

// Controls, forms and the clipboard
inline constexpr const char* SControlParentSetToSelf = "A control cannot have itself as its parent";
inline constexpr const char* SCannotFocus = "Cannot focus a disabled or invisible window";
inline constexpr const char* SCannotShowModal = "Cannot make a visible window modal";
inline constexpr const char* SCannotOpenClipboard = "Cannot open clipboard";

// Menus
inline constexpr const char* SMenuItemNil = "Menu item is nil";
inline constexpr const char* SMenuReinserted = "Menu inserted twice";
inline constexpr const char* SMenuNotFound = "Menu item not found";
inline constexpr const char* SMenuIndexError = "Menu index out of range (%d)";

// COM and hosted controls
inline constexpr const char* SOleError = "OLE error %.8x";
inline constexpr const char* SBrowserClosed = "The browser is closed";
inline constexpr const char* SVarTypeCastError = "Could not convert variant of type (%s) into type (%s)";

// Registry
inline constexpr const char* SRegInvalidDataType = "Invalid data type for '%s'";
inline constexpr const char* SRegGetDataFailed = "Failed to get data for '%s'";
inline constexpr const char* SRegSetDataFailed = "Failed to set data for '%s'";

// XML documents
inline constexpr const char* SNoMDIForm = "Cannot create an MDI child: no MDI form exists";
inline constexpr const char* SNotAnElement = "The node is not an element";
inline constexpr const char* SEmptyNodeChild = "Cannot add a child to an empty node";
inline constexpr const char* SDocTypeNotAccepted = "Document type declarations are not accepted";
inline constexpr const char* SXmlNotWellFormed = "The XML text is not well-formed";
inline constexpr const char* SXmlParseErrorAt = "%s (line %d, column %d)";
inline constexpr const char* SXmlWriteError = "Cannot write the XML file \"%s\" (%s)";

}  // namespace cl::consts
