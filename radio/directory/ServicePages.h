#pragma once
// Addresses of the directory service's own pages that the browser opens. Every value put
// into a query is percent-encoded, so that credentials and stream addresses with "&", "=",
// "%", "+", "?" or spaces arrive whole.
#include <string>

namespace radio {

// On a server whose certificate the program refused in this run, each page that carries the
// account is a local page saying why instead.
// Format is one of the page formats with two "%s" (user name, password) of radio/forms/MainTexts.h.
std::string ServicePageURL(const char* Format, const std::string& User, const std::string& Password);
std::string HomePageURL();
std::string RatePageURL(const std::string& User, const std::string& Password, const std::string& StreamURL);
// True when the address ends (exactly, letter case counting) with one of the editing pages.
bool IsEditPageURL(const std::string& URL);

}  // namespace radio
