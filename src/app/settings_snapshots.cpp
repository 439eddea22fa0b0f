#include "app/settings_snapshots.h"

ImageTarget ColourMapTarget(const VornSettings& settings) {
  return settings.as_tga == 1 ? ImageTarget::Tga : ImageTarget::Dds;
}

JobOptions JobOptionsFromSettings(const VornSettings& settings) {
  JobOptions options;
  options.scale = settings.scale;
  options.loadTextures = settings.load_textures;
  options.exportLods = settings.export_lods;
  options.tagsLocal = settings.tags_local;
  options.trayIcon = settings.tray_icon;
  options.exportImages = settings.exp_images;
  options.dropWaitingOnLoad = settings.clear_list_on_change;
  options.exports.subFolder = settings.sub_folder;
  options.exports.imagesLocal = settings.images_local;
  options.exports.mtl = settings.mtl;
  options.exports.melBind = settings.mel_bind;
  options.exports.colourMaps = ColourMapTarget(settings);
  return options;
}

ViewOptions ViewOptionsFromSettings(const VornSettings& settings) {
  ViewOptions options;
  options.lightModel = settings.light_model;
  options.bumpMapping = settings.bump_mapping;
  options.useVertexColours = settings.use_vertex_col;
  options.wireframe = settings.wireframe;
  options.drawTangents = settings.draw_tangents;
  options.drawLods = settings.draw_LODS;
  options.lightEnabled[0] = settings.light_enable[0];
  options.lightEnabled[1] = settings.light_enable[1];
  options.drawGrid = settings.draw_grid;
  options.drawAxis = settings.draw_axis;
  options.drawBones = settings.draw_bones;
  options.drawBoundingBox = settings.draw_bounding_box;
  options.drawBoundingBoxUnits = settings.draw_bounding_box_units;
  options.drawCentralLocator = settings.draw_central_locator;
  return options;
}
