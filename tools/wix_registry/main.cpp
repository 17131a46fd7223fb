// Prints the installer's registry entries as a WiX fragment (see wix_registry.h).
#include <iostream>

#include "wix_registry.h"

int main() {
    std::cout << wix_registry::fragment({QUORVEL_CLSID, QUORVEL_LIBID, QUORVEL_CONNECT_IID});
    return 0;
}
