#include "config/settings.h"

namespace nrv {

Settings& TheSettings() {
  static Settings settings;
  return settings;
}

}  // namespace nrv
