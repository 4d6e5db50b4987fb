#pragma once
// The XML document layer over the MSXML DOM (4.0, else 6.0, else 3.0: whichever is registered).
// Strings at this interface are in the system code page unless the name says Wide; MSXML holds
// them as UTF-16 and writes files in UTF-8. Windows only.
#include <windows.h>
#include <msxml2.h>

#include <string>
#include <string_view>
#include <vector>

#include "classlib/ole/ComObj.h"

namespace cl {

CL_DECLARE_EXCEPTION(EXMLDocError, Exception);
// The text or file is not well-formed XML (or declares a document type, which we refuse).
CL_DECLARE_EXCEPTION(EDOMParseError, EXMLDocError);

// A node of a document: a counted reference, cheap to copy. A null node answers IsNull().
class TXMLNode {
public:
    TXMLNode() = default;
    explicit TXMLNode(TComPtr<IXMLDOMNode> node) : node_(std::move(node)) {}
    TXMLNode(TComPtr<IXMLDOMNode> node, TComPtr<IXMLDOMElement> element)
        : node_(std::move(node)), element_(std::move(element)), elementKnown_(true)
    {
    }

    bool IsNull() const { return !node_; }
    bool IsElement() const;
    std::string NodeName() const;
    std::wstring Text() const;

    bool HasAttribute(std::string_view name) const;
    // Null when the element has no such attribute.
    TVariant Attribute(std::string_view name) const;
    void SetAttribute(std::string_view name, std::string_view value);
    void SetAttributeWide(std::string_view name, std::wstring_view value);
    // The same with a name made once, for callers that read many elements alike.
    TVariant Attribute(const TBStr& name) const;
    void SetAttribute(const TBStr& name, std::string_view value);

    // In document order; text nodes holding only white space are left out.
    std::vector<TXMLNode> ChildNodes() const;
    // Element children only, in document order (comments, text and processing instructions
    // between them are skipped).
    std::vector<TXMLNode> ChildElements() const;
    // The first child element with this name; a null node when there is none.
    TXMLNode ChildNode(std::string_view name) const;
    // Appends a new element and returns it.
    TXMLNode AddChild(std::string_view name);
    // Appends a node of the same document as the last child, taking it from where it was.
    void AppendChild(const TXMLNode& child);

    IXMLDOMNode* DOMNode() const { return node_.Get(); }

private:
    // The element interface, asked for once; nullptr for other nodes.
    IXMLDOMElement* ElementOrNull() const;
    IXMLDOMElement* Element() const;

    TComPtr<IXMLDOMNode> node_;
    mutable TComPtr<IXMLDOMElement> element_;
    mutable bool elementKnown_ = false;
};

class TXMLDocument : public TObject {
public:
    // An empty document. Raises EOleException when no MSXML DOM is registered.
    TXMLDocument();

    // Replace the content; EDOMParseError when not well-formed, the document keeps nothing.
    void LoadFromFile(const std::string& fileName);
    void LoadFromXML(const std::string& text);
    void LoadFromXML(std::wstring_view text);
    // UTF-8 (the declaration names no encoding). Raises EXMLDocError when it cannot be written.
    void SaveToFile(const std::string& fileName) const;
    std::wstring XML() const;

    // Puts the declaration <?xml version="..."?> first (replacing one already there).
    void SetVersion(std::string_view version);
    TXMLNode DocumentElement() const;
    // Replaces the document element with a new, empty one.
    TXMLNode CreateDocumentElement(std::string_view name);
    // The document's child element of this name; a null node when there is none.
    TXMLNode ChildNode(std::string_view name) const;
    void Clear();

    // 4, 6 or 3: the MSXML version the document lives in.
    int MsxmlVersion() const { return version_; }
    IXMLDOMDocument* DOMDocument() const { return doc_.Get(); }

private:
    void CheckLoaded(VARIANT_BOOL ok, HRESULT hr);
    void RefuseDocumentType();

    TComPtr<IXMLDOMDocument> doc_;
    int version_ = 0;
};

// The XML HTTP request object, same version preference as the DOM.
TComPtr<IXMLHTTPRequest> CreateXmlHttpRequest();

}  // namespace cl
