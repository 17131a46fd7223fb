// The session of the native build: the portable add-in in this process, its strings and settings
// template taken from the build tree. The Windows host leaves this file out.
#include "headless_driver.h"
#include "session.h"
#include "string_table.h"

Session::Session()
    : addinFactory_(MakeNativeAddin),
      windows_(std::make_unique<HeadlessDriver>(toolkit_)),
      templateSwitch_([this](bool present) {
          outlook_.platform().setLibraryFolder(present ? QUORVEL_LIBRARY_FOLDER : "/nonexistent");
      }),
      native_(true) {
    outlook_.makeCurrent();
    ui::setToolkit(&toolkit_);
    for (const auto& [id, text] : StringTable()) outlook_.platform().setString(id, text);
    outlook_.platform().setLibraryFolder(QUORVEL_LIBRARY_FOLDER);
}
