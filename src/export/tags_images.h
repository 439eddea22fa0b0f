#pragma once
// The two images the tags page uses for its bone tree, held in the program and written beside the
// page: a dotted vertical line (GIF, 1 x 6) and a joint icon (PNG, 16 x 16 RGBA).
extern const unsigned char kDottedGif[810];
extern const unsigned char kJointPng[518];
