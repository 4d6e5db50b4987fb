#pragma once
// The station cache file's layout: a "RadioChannels" root holding one "RadioChannelCategory"
// element, named by its "Name", per category, each holding that category's stations in order.
// Both ways of writing the cache (from the directory's stations, and from a service reply's
// own elements regrouped) make it through these, so that they cannot drift apart.
#include <string>

#include "classlib/platform/XmlDoc.h"

namespace station_cache {

// Makes the document a cache: the declaration, then an empty "RadioChannels" root in place
// of any root it had (the old root's nodes can still be moved into the new one).
cl::TXMLNode StartDocument(cl::TXMLDocument& doc);
// The "RadioChannels" root of a document read from the cache; a null node when it has none.
cl::TXMLNode Root(const cl::TXMLDocument& doc);
// Appends an empty category of this name to the root.
cl::TXMLNode AddCategory(cl::TXMLNode& root, const std::string& name);
// Writes the document as the cache file (creating its folder) through a temporary file that is
// flushed to the disk and then takes the old one's place, so that an interrupted write leaves
// the old or the new file whole. Raises EFCreateError or EXMLDocError when it cannot.
void Write(const cl::TXMLDocument& doc, const std::string& file);

}  // namespace station_cache
