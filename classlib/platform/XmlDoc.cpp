#include "classlib/platform/XmlDoc.h"

#include <cstring>

#include "classlib/classes/Classes.h"
#include "classlib/system/CoreConsts.h"
#include "classlib/system/SysUtils.h"

namespace cl {

namespace {

// MinGW's uuid library lacks the versioned MSXML classes; ours, under names of our own.
constexpr GUID kDomDocument40 = {0x88D969C0, 0xF192, 0x11D4, {0xA6, 0x5F, 0x00, 0x40, 0x96, 0x32, 0x51, 0xE5}};
constexpr GUID kDomDocument60 = {0x88D96A05, 0xF192, 0x11D4, {0xA6, 0x5F, 0x00, 0x40, 0x96, 0x32, 0x51, 0xE5}};
constexpr GUID kDomDocument30 = {0xF5078F32, 0xC551, 0x11D3, {0x89, 0xB9, 0x00, 0x00, 0xF8, 0x1F, 0xE2, 0x21}};
constexpr GUID kXmlHttp40 = {0x88D969C5, 0xF192, 0x11D4, {0xA6, 0x5F, 0x00, 0x40, 0x96, 0x32, 0x51, 0xE5}};
constexpr GUID kXmlHttp60 = {0x88D96A0A, 0xF192, 0x11D4, {0xA6, 0x5F, 0x00, 0x40, 0x96, 0x32, 0x51, 0xE5}};
constexpr GUID kXmlHttp30 = {0xF5078F35, 0xC551, 0x11D3, {0x89, 0xB9, 0x00, 0x00, 0xF8, 0x1F, 0xE2, 0x21}};
constexpr GUID kIXMLDOMDocument = {0x2933BF81, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
constexpr GUID kIXMLDOMDocument2 = {0x2933BF95, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
constexpr GUID kIXMLDOMNode = {0x2933BF80, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
constexpr GUID kIXMLDOMElement = {0x2933BF86, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
constexpr GUID kIXMLHTTPRequest = {0xED8C108D, 0x4349, 0x11D2, {0x91, 0xA4, 0x00, 0xC0, 0x4F, 0x79, 0x69, 0xE8}};

struct VersionedClass {
    const GUID* clsid;
    int version;
};
constexpr VersionedClass kDomClasses[] = {{&kDomDocument40, 4}, {&kDomDocument60, 6}, {&kDomDocument30, 3}};
constexpr VersionedClass kHttpClasses[] = {{&kXmlHttp40, 4}, {&kXmlHttp60, 6}, {&kXmlHttp30, 3}};

// A file's bytes as the byte array the parser takes in place of the file's name. A file that
// cannot be read fails as the parser's own load of it fails.
TVariant FileBytesVariant(const std::string& FileName)
{
    std::string bytes;
    try {
        bytes = ReadFileBytes(FileName);
    } catch (const EStreamError& e) {
        throw EDOMParseError(e.Message());
    }
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!array)
        throw EOutOfMemory("Out of memory while reading " + FileName);
    TVariant variant;
    VARIANT* v = variant.Put();
    v->vt = VT_ARRAY | VT_UI1;
    v->parray = array;
    if (!bytes.empty()) {
        void* data = nullptr;
        OleCheck(SafeArrayAccessData(array, &data));
        std::memcpy(data, bytes.data(), bytes.size());
        SafeArrayUnaccessData(array);
    }
    return variant;
}

template <class T, size_t N>
TComPtr<T> CreateFirstRegistered(const VersionedClass (&classes)[N], REFIID iid, int& version)
{
    HRESULT last = REGDB_E_CLASSNOTREG;
    for (const VersionedClass& c : classes) {
        TComPtr<T> object;
        last = CoCreateInstance(*c.clsid, nullptr, CLSCTX_INPROC_SERVER, iid, object.PutVoid());
        if (SUCCEEDED(last)) {
            version = c.version;
            return object;
        }
    }
    OleError(last);
}

TBStr Wide(std::string_view text)
{
    return TBStr::FromString(text);
}

bool IsBlank(const std::wstring& text)
{
    for (wchar_t c : text)
        if (c > L' ')
            return false;
    return true;
}


// Calls visit(child, type) for each child of node in document order.
template <class F>
void ForEachChild(IXMLDOMNode* node, F visit)
{
    TComPtr<IXMLDOMNode> child;
    OleCheck(node->get_firstChild(child.Put()));
    while (child) {
        DOMNodeType type = NODE_INVALID;
        child->get_nodeType(&type);
        visit(child, type);
        TComPtr<IXMLDOMNode> next;
        OleCheck(child->get_nextSibling(next.Put()));
        child = std::move(next);
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TXMLNode

IXMLDOMElement* TXMLNode::ElementOrNull() const
{
    if (!elementKnown_) {
        element_ = node_.Query<IXMLDOMElement>(kIXMLDOMElement);
        elementKnown_ = true;
    }
    return element_.Get();
}

IXMLDOMElement* TXMLNode::Element() const
{
    IXMLDOMElement* element = ElementOrNull();
    if (!element)
        throw EXMLDocError(consts::SNotAnElement);
    return element;
}

bool TXMLNode::IsElement() const
{
    return ElementOrNull() != nullptr;
}

std::string TXMLNode::NodeName() const
{
    TBStr name;
    if (node_)
        OleCheck(node_->get_nodeName(name.Put()));
    return name.ToString();
}

std::wstring TXMLNode::Text() const
{
    TBStr text;
    if (node_)
        OleCheck(node_->get_text(text.Put()));
    return text.ToWide();
}

bool TXMLNode::HasAttribute(std::string_view name) const
{
    return !Attribute(name).IsNull();
}

TVariant TXMLNode::Attribute(std::string_view name) const
{
    return Attribute(Wide(name));
}

TVariant TXMLNode::Attribute(const TBStr& name) const
{
    TVariant value;
    IXMLDOMElement* element = ElementOrNull();
    if (!element)
        return TVariant::Null();
    // S_FALSE with a Null value when the attribute is missing.
    OleCheck(element->getAttribute(name.Get(), value.Put()));
    if (value.IsEmpty())
        return TVariant::Null();
    return value;
}

void TXMLNode::SetAttribute(std::string_view name, std::string_view value)
{
    SetAttribute(Wide(name), value);
}

void TXMLNode::SetAttribute(const TBStr& name, std::string_view value)
{
    TVariant v = TVariant::FromString(value);
    OleCheck(Element()->setAttribute(name.Get(), v.In()));
}

void TXMLNode::SetAttributeWide(std::string_view name, std::wstring_view value)
{
    TVariant v{value};
    OleCheck(Element()->setAttribute(Wide(name).Get(), v.In()));
}

std::vector<TXMLNode> TXMLNode::ChildNodes() const
{
    std::vector<TXMLNode> result;
    if (!node_)
        return result;
    ForEachChild(node_.Get(), [&](const TComPtr<IXMLDOMNode>& child, DOMNodeType type) {
        bool keep = true;
        if (type == NODE_TEXT) {
            TBStr text;
            child->get_text(text.Put());
            keep = !IsBlank(text.ToWide());
        }
        if (keep)
            result.emplace_back(child);
    });
    return result;
}

std::vector<TXMLNode> TXMLNode::ChildElements() const
{
    std::vector<TXMLNode> result;
    if (!node_)
        return result;
    ForEachChild(node_.Get(), [&](const TComPtr<IXMLDOMNode>& child, DOMNodeType type) {
        if (type == NODE_ELEMENT)
            result.emplace_back(child, child.Query<IXMLDOMElement>(kIXMLDOMElement));
    });
    return result;
}

TXMLNode TXMLNode::ChildNode(std::string_view name) const
{
    for (TXMLNode& child : ChildElements())
        if (child.NodeName() == name)
            return child;
    return {};
}

TXMLNode TXMLNode::AddChild(std::string_view name)
{
    if (!node_)
        throw EXMLDocError(consts::SEmptyNodeChild);
    TComPtr<IXMLDOMDocument> doc;
    OleCheck(node_->get_ownerDocument(doc.Put()));
    if (!doc)  // the node is the document itself
        doc = node_.Query<IXMLDOMDocument>(kIXMLDOMDocument);
    TComPtr<IXMLDOMElement> element;
    OleCheck(doc->createElement(Wide(name).Get(), element.Put()));
    TComPtr<IXMLDOMNode> added;
    OleCheck(node_->appendChild(element.Query<IXMLDOMNode>(kIXMLDOMNode).Get(), added.Put()));
    return TXMLNode(added, element);
}

void TXMLNode::AppendChild(const TXMLNode& child)
{
    if (!node_)
        throw EXMLDocError(consts::SEmptyNodeChild);
    TComPtr<IXMLDOMNode> added;
    OleCheck(node_->appendChild(child.node_.Get(), added.Put()));
}

// ---------------------------------------------------------------------------------------------
// TXMLDocument

TXMLDocument::TXMLDocument()
{
    doc_ = CreateFirstRegistered<IXMLDOMDocument>(kDomClasses, kIXMLDOMDocument, version_);
    OleCheck(doc_->put_async(VARIANT_FALSE));
    OleCheck(doc_->put_preserveWhiteSpace(VARIANT_FALSE));
    // Text from outside is untrusted: no validation, nothing fetched, no document types where
    // the parser lets us say so (RefuseDocumentType covers the others).
    doc_->put_validateOnParse(VARIANT_FALSE);
    doc_->put_resolveExternals(VARIANT_FALSE);
    if (TComPtr<IXMLDOMDocument2> doc2 = doc_.Query<IXMLDOMDocument2>(kIXMLDOMDocument2)) {
        TVariant yes(true);
        doc2->setProperty(TBStr(L"ProhibitDTD").Get(), yes.In());
    }
}

void TXMLDocument::CheckLoaded(VARIANT_BOOL ok, HRESULT hr)
{
    if (SUCCEEDED(hr) && ok == VARIANT_TRUE) {
        RefuseDocumentType();
        return;
    }
    std::string message = consts::SXmlNotWellFormed;
    TComPtr<IXMLDOMParseError> error;
    if (SUCCEEDED(doc_->get_parseError(error.Put())) && error) {
        TBStr reason;
        long line = 0, column = 0;
        error->get_reason(reason.Put());
        error->get_line(&line);
        error->get_linepos(&column);
        std::string text = Trim(reason.ToString());
        // Some parsers' reason is the bare word "error", which tells less than the plain
        // statement: that leads then. Lines count from 1: a parser that knows no position says 0.
        const bool saysNothing = text.empty() || SameText(text, "error");
        if (line > 0)
            message = Format(consts::SXmlParseErrorAt, saysNothing ? message : text, int(line), int(column));
        else if (!saysNothing)
            message += ": " + text;
    }
    Clear();
    throw EDOMParseError(message);
}

void TXMLDocument::RefuseDocumentType()
{
    TComPtr<IXMLDOMDocumentType> doctype;
    if (SUCCEEDED(doc_->get_doctype(doctype.Put())) && doctype) {
        Clear();
        throw EDOMParseError(consts::SDocTypeNotAccepted);
    }
}

void TXMLDocument::LoadFromFile(const std::string& fileName)
{
    // The file's bytes are handed to the parser whole, which reads their encoding as it would
    // the file's: given the name, the parser would fetch the file through the URL moniker
    // machinery, which costs more than the parse of a small file.
    TVariant bytes = FileBytesVariant(fileName);
    VARIANT_BOOL ok = VARIANT_FALSE;
    HRESULT hr = doc_->load(bytes.In(), &ok);
    CheckLoaded(ok, hr);
}

void TXMLDocument::LoadFromXML(const std::string& text)
{
    LoadFromXML(StringToWide(text));
}

void TXMLDocument::LoadFromXML(std::wstring_view text)
{
    // A byte-order mark that survived decoding is not part of the document.
    std::wstring_view body(text);
    if (!body.empty() && body.front() == 0xFEFF)
        body.remove_prefix(1);
    TBStr xml(body);
    VARIANT_BOOL ok = VARIANT_FALSE;
    HRESULT hr = doc_->loadXML(xml.Get(), &ok);
    CheckLoaded(ok, hr);
}

void TXMLDocument::SaveToFile(const std::string& fileName) const
{
    TVariant path = TVariant::FromString(fileName);
    HRESULT hr = doc_->save(path.In());
    if (FAILED(hr))
        throw EXMLDocError(Format(consts::SXmlWriteError, fileName,
                                  SysErrorMessage(static_cast<std::uint32_t>(hr))));
}

std::wstring TXMLDocument::XML() const
{
    TBStr xml;
    OleCheck(doc_->get_xml(xml.Put()));
    return xml.ToWide();
}

void TXMLDocument::SetVersion(std::string_view version)
{
    TComPtr<IXMLDOMProcessingInstruction> pi;
    std::wstring data = L"version=\"" + StringToWide(version) + L"\"";
    OleCheck(doc_->createProcessingInstruction(TBStr(L"xml").Get(), TBStr(data).Get(), pi.Put()));
    TComPtr<IXMLDOMNode> first;
    OleCheck(doc_->get_firstChild(first.Put()));
    TComPtr<IXMLDOMNode> piNode = pi.Query<IXMLDOMNode>(kIXMLDOMNode);
    TComPtr<IXMLDOMNode> out;
    if (first) {
        DOMNodeType type = NODE_INVALID;
        first->get_nodeType(&type);
        if (type == NODE_PROCESSING_INSTRUCTION && TXMLNode(first).NodeName() == "xml") {
            OleCheck(doc_->replaceChild(piNode.Get(), first.Get(), out.Put()));
            return;
        }
        TVariant before(static_cast<IUnknown*>(first.Get()));
        OleCheck(doc_->insertBefore(piNode.Get(), before.In(), out.Put()));
        return;
    }
    OleCheck(doc_->appendChild(piNode.Get(), out.Put()));
}

TXMLNode TXMLDocument::DocumentElement() const
{
    TComPtr<IXMLDOMElement> element;
    OleCheck(doc_->get_documentElement(element.Put()));
    return TXMLNode(element.Query<IXMLDOMNode>(kIXMLDOMNode));
}

TXMLNode TXMLDocument::CreateDocumentElement(std::string_view name)
{
    TComPtr<IXMLDOMElement> element;
    OleCheck(doc_->createElement(Wide(name).Get(), element.Put()));
    OleCheck(doc_->putref_documentElement(element.Get()));
    return TXMLNode(element.Query<IXMLDOMNode>(kIXMLDOMNode));
}

TXMLNode TXMLDocument::ChildNode(std::string_view name) const
{
    return TXMLNode(doc_.Query<IXMLDOMNode>(kIXMLDOMNode)).ChildNode(name);
}

void TXMLDocument::Clear()
{
    // An empty text is not well-formed, so the DOM is emptied node by node instead.
    TComPtr<IXMLDOMNode> child;
    while (SUCCEEDED(doc_->get_firstChild(child.Put())) && child) {
        TComPtr<IXMLDOMNode> removed;
        if (FAILED(doc_->removeChild(child.Get(), removed.Put())))
            break;
    }
}

TComPtr<IXMLHTTPRequest> CreateXmlHttpRequest()
{
    int version = 0;
    return CreateFirstRegistered<IXMLHTTPRequest>(kHttpClasses, kIXMLHTTPRequest, version);
}

}  // namespace cl
