// The model library's global objects, each at its rank in the program's order
// (core/global_order.h):
//
//   loader mutex       guards the model list's state (made at compile time)
//   FolderIndexes      the case-insensitive indexes of the game folders, shared by every load
//   MaterialList       the current model's material files
#include <mutex>

#include "core/global_order.h"
#include "core/lifetime.h"
#include "model/folder_index.h"
#include "model/material_list.h"
#include "model/vorn_loader.h"

constinit std::mutex LoaderMutex;
static const LifetimeMark loaderMutexMark DELVIX_GLOBAL(kRankLoaderMutex){"loader mutex"};

FolderIndexes gFolderIndexes DELVIX_GLOBAL(kRankFolderIndexes);
static const LifetimeMark folderIndexesMark DELVIX_GLOBAL(kRankFolderIndexes){"FolderIndexes"};

MaterialList gMaterialList DELVIX_GLOBAL(kRankMaterialList);
static const LifetimeMark materialListMark DELVIX_GLOBAL(kRankMaterialList){"MaterialList"};
