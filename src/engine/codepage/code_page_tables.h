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
extern const char16_t cp737[128];
extern const char16_t cp857[128];
extern const char16_t cp860[128];
extern const char16_t cp861[128];
extern const char16_t cp863[128];
extern const char16_t cp874[128];
extern const char16_t cp1253[128];
extern const char16_t cp1254[128];
extern const char16_t cp1255[128];
extern const char16_t cp1256[128];
extern const char16_t cp1257[128];
extern const char16_t mac_roman[128];
extern const char16_t mac_cyrillic[128];
extern const char16_t mac_latin2[128];
extern const char16_t mac_greek[128];

} // namespace trevo::engine::codepage_tables
