#pragma once
// The project's web site. Every page the program opens (release notes, donations, community) and
// every address it names (the about box, the tags page) lies under it.
inline constexpr const char* kProjectSite = "https://delvix.org";
