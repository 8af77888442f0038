#pragma once

namespace krovan {

// Lets Qt load plugins only from the folders in QT_PLUGIN_PATH, the user's own choice, and the
// system's plugin folder, never from the program's own folder: in a shared game folder anyone in
// the game's group could put a platforms/ or styles/ folder there, whose library would run as
// the player. Called before the application object exists, which loads the platform plugin.
// Together with the built-in qt.conf nothing beside the program is read.
void UseSystemPluginsOnly();

}  // namespace krovan
