#pragma once
// The model list on screen: the menu "xmodel_list" with the list box "xmodels" over the model
// list loader and the search box "xmodel_search" that filters it. A click on a row (or an arrow
// key) queues the model's load on the job thread.
class VornOpenGL;

// Adds the menu to the application's GUI and plugs the loader's list-box hook. Main thread, at
// start-up, before the first resize lays the menus out.
void BuildModelListMenu(VornOpenGL& app);
