#ifndef QUORVEL_PRODUCT_VERSION_H
#define QUORVEL_PRODUCT_VERSION_H

/* Shared by the version resource and the registration data, so plain macros. */
#define QUORVEL_VERSION_NUMBERS 1, 1, 0, 4
#define QUORVEL_VERSION_TEXT "1.01.0004"

#endif
