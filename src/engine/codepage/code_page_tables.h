#pragma once
// Upper halves of the supported single-byte code pages (see code_page_tables.cpp).

namespace trevo::engine::codepage_tables {

extern const char16_t cp1252[128];
extern const char16_t cp437[128];
extern const char16_t cp850[128];
extern const char16_t cp852[128];
extern const char16_t cp865[128];
extern const char16_t cp866[128];
extern const char16_t cp1250[128];
extern const char16_t cp1251[128];

} // namespace trevo::engine::codepage_tables
