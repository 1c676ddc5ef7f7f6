// Text placed in XML content or attribute values.
#pragma once
#include <string>

namespace platform {

// UTF-8 text with & < > " escaped and the control characters XML cannot hold dropped.
std::string Xml_Escape(const std::string& utf8);

}  // namespace platform
