// Ids of the resources that the application-instance test carries.
#pragma once

#define IDS_FIXTURE_PLAIN 17    // "Plain text"
#define IDS_FIXTURE_CHINESE 18  // "岚枫禾 wireless"
// Generated strings of the lengths in kLongStringLengths, ids from IDS_FIXTURE_LONG_FIRST on; unit i
// of each is 'a' + i % 26.
#define IDS_FIXTURE_LONG_FIRST 64

#define IDR_FIXTURE_TEXT_BOM 301        // RCDATA: byte-order mark, then "AB岚"
#define IDR_FIXTURE_TEXT_PLAIN 302      // RCDATA: "AB岚" without byte-order mark, without NUL
#define IDR_FIXTURE_TEXT_NUL 303        // RCDATA: "AB", NUL, "CD"
#define IDR_FIXTURE_TEXT_ONLY_BOM 304   // RCDATA: a byte-order mark alone
#define IDR_FIXTURE_TEXT_ODD 305        // RCDATA: the three bytes "ABC"
#define IDR_FIXTURE_CUSTOM_TYPE 306     // of type IDT_FIXTURE_CUSTOM: the bytes "xyz"
#define IDT_FIXTURE_CUSTOM 300
#define IDR_FIXTURE_PNG 307             // RCDATA: 2 x 2 RGBA PNG
#define IDI_FIXTURE_APP_ICON 308        // icon
