#pragma once

namespace drav {

// Version of the database layout this program creates and understands (SFGTBT22).
inline constexpr const char* kVersaoSchema = "1.0.0";

} // namespace drav
