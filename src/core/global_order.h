#pragma once
// The order of the program's global objects.
//
// Each library defines its own long-lived objects, beside the code that owns them, so that a
// library links only what lies below it. Their order of making (before main) and ending (after
// main returns, or after exit) is fixed here in one table: DELVIX_GLOBAL(rank) gives an object
// the toolchain's initialisation priority, lower ranks are made first and, since every object's
// end is registered when it is made, end last. An object and the LifetimeMark that follows it
// (core/lifetime.h) share a rank and a file, so the mark is made just after it and ends just
// before it.
//
// Objects that need no constructor (the mutexes) are made at compile time; their marks keep their
// places in the order all the same. Objects of the program not listed here: the application
// object lives inside RunProgram and ends before it returns.
#define DELVIX_GLOBAL(rank) __attribute__((init_priority(rank)))

enum GlobalRank : int {
  kRankBubbleLock = 1010,
  kRankBubble = 1015,
  kRankLoaderMutex = 1020,
  kRankLogWriteMutex = 1040,
  kRankWaitSlot = 1050,
  kRankCamera = 1060,
  kRankModelTrees = 1080,
  kRankConsumedHotkeys = 1100,
  kRankIwdUtils = 1110,
  kRankNoticeFolder = 1120,
  kRankSettings = 1130,
  kRankSound = 1140,
  kRankLog = 1160,
  kRankUpdater = 1170,
  kRankWindowFrame = 1180,
  kRankSceneLights = 1190,
  kRankVersionText = 1200,
  kRankShaderRegistry = 1210,
  kRankThemeColours = 1220,
  kRankFolderIndexes = 1225,
  kRankMaterialList = 1230,
  kRankBoneLabels = 1240,
  kRankBoneRotations = 1250,
  kRankBoneDisplay = 1260,
  kRankSystemTray = 1270,
};
