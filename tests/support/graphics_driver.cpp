// Pinning the loaded GL driver libraries (dlopen with RTLD_NODELETE).
#include "support/graphics_driver.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <string>
#include <vector>

namespace testing_support {

void KeepGraphicsDriversLoaded() {
  std::vector<std::string> names;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* data) {
        const char* name = info->dlpi_name;
        if (name && (std::strstr(name, "_dri.so") || std::strstr(name, "libLLVM") || std::strstr(name, "libGLX_mesa"))) {
          static_cast<std::vector<std::string>*>(data)->push_back(name);
        }
        return 0;
      },
      &names);
  for (const std::string& name : names) dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

}  // namespace testing_support
