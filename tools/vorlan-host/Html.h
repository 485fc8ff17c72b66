#ifndef VORLAN_HOST_HTML_H
#define VORLAN_HOST_HTML_H

#include <string>

// Text made safe for HTML content and attribute values.
std::string escape(const std::string& text);

// A number with at most `digits` significant digits, as a person reads it.
std::string number(double value, int digits = 6);

#endif
