// Ids of the resources that the image tests carry.
#pragma once

#define IDR_FIXTURE_PIXELS 201  // RCDATA: 2 x 2 RGBA PNG
#define IDR_FIXTURE_STRIP 202   // RCDATA: 64 x 16 PNG, four squares
#define IDI_FIXTURE_ICON 203    // icon
#define IDC_FIXTURE_CURSOR 204  // cursor
