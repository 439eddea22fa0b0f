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
// places in the order all the same. Objects of the program not listed here live inside RunProgram
// and end before it returns: the application object with its camera, camera controller and the
// hot keys consumed this frame, the GUI's delayed-command queue, the job thread's export-notice
// folder, and the update service. The XMODEL_EXPORT writer builds its bone rotations per export.
#define DELVIX_GLOBAL(rank) __attribute__((init_priority(rank)))

enum GlobalRank : int {
  kRankBubbleLock = 1010,
  kRankBubble = 1015,
  kRankLoaderMutex = 1020,
  kRankLogWriteMutex = 1040,
  kRankModelTrees = 1080,
  kRankIwdUtils = 1110,
  kRankSettings = 1130,
  kRankSound = 1140,
  kRankLog = 1160,
  kRankWindowFrame = 1180,
  kRankSceneLights = 1190,
  kRankVersionText = 1200,
  kRankShaderRegistry = 1210,
  kRankThemeColours = 1220,
  kRankFolderIndexes = 1225,
  kRankMaterialList = 1230,
  kRankBoneLabels = 1240,
  kRankBoneDisplay = 1260,
  kRankSystemTray = 1270,
};
