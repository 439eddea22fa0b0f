#pragma once
// Tags page: an HTML page of the loaded model's bones ("tags"): a table with each bone's number,
// name, offset from its parent, parent number and rotation in degrees, beside the bone hierarchy as
// a nested list; hovering a row highlights its tree entry and the other way round. Names from the
// model are escaped for HTML. Two small images (dotted.gif, joint.png) give the tree its look.
#include <string>

#include "model/result_code.h"

class Xmodel;

// Writes <folder>/<model name>_tags.html, creating the folder. NotLoaded (no model), TagsNotLoaded
// (no skeleton), NoPermission / CantOpenFile (cannot create the file), UnknownError (a write failed),
// Success.
ResultCode DumpTagsHtml(const Xmodel& model, const std::string& folder);

// The nested list of the bone tree: every root bone with its whole subtree, then any bone not reached
// from a root, each once, children in number order.
std::string WriteJointTree(const Xmodel& model);

// Writes dotted.gif and joint.png into folder (which must exist). AlreadyPresent when dotted.gif is
// there already (nothing written), NoPermission / CantOpenFile / UnknownError on failure, Success.
ResultCode WriteTagsStaticFiles(const std::string& folder);

// Text safe to place into HTML: & < > " ' replaced by entities.
std::string EscapeHtml(const std::string& text);
