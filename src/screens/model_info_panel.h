#pragma once
// ModelInfoPanel: the two trees of the loaded model that the windows "Xmodel Properties" and
// "Xmodel Tags" show. The information tree lists the model's name, physics preset, collision LOD,
// counts, and per LOD its surface file, distance, materials and their images (found or not); the
// tag tree lists the bones as a hierarchy under one green root row.
//
// Threads: the job thread rebuilds both trees (Rebuild) while it holds the frame mutex; the tree
// views read them only inside a frame, which holds the same mutex. The new rows are built apart
// and swapped in, so a tree is never seen half-built.
#include <functional>
#include <string>

#include "gui/tree_container.h"
#include "gui/tree_view.h"

class Xmodel;
class MaterialList;

namespace ModelInfoPanel {

// The two trees, global objects (core/global_order.h: kRankModelTrees); empty until a model is
// shown.
extern TreeContainer infoTree;
extern TreeContainer tagTree;

// The low 16 bits of value as a signed number, in decimal.
std::string ShortToText(int value);
// Fills tree (cleared first) with the information rows of model and its materials.
void BuildInfoTree(const Xmodel& model, const MaterialList& materials, TreeContainer& tree);
// Fills tree (cleared first) with the tag root and the bone hierarchy of model. Bones are added
// depth-first in index order under each parent, without recursion, so a skeleton of any depth
// builds; every root bone gets its descendants.
void BuildTagTree(const Xmodel& model, TreeContainer& tree);
// Rebuilds the two global trees from model, the information tree first.
void Rebuild(const Xmodel& model, const MaterialList& materials);

// The tree views of the two trees ("Xmodel_properties", "Xmodel_tags") at rect. While a row of
// the tag tree is highlighted, markBone receives its text (the bone's name), every frame; the
// application gives the 3D view's bone marking.
TreeView MakeInfoTreeView(const ItemRect& rect);
TreeView MakeTagTreeView(const ItemRect& rect, std::function<bool(const std::string&)> markBone);

}  // namespace ModelInfoPanel
