#ifndef QUORVEL_PRODUCT_VERSION_H
#define QUORVEL_PRODUCT_VERSION_H

/* Shared by the version resource, the registration data and the scripts that sign and pack the
   builds (they read these lines), so plain macros, one per line. */
#define QUORVEL_VERSION_NUMBERS 1, 1, 0, 4
#define QUORVEL_VERSION_TEXT "1.01.0004"
#define QUORVEL_PRODUCT_NAME "Quorvel Addin"
#define QUORVEL_PUBLISHER "Vesk"

#endif
