# What both installers are made with, read from the sources that hold it; sourced from the source
# root by scripts/package.sh and installer/make_msi.sh.
# The publisher the version resources name.
publisher=$(sed -n 's/^#define QUORVEL_PUBLISHER "\(.*\)"$/\1/p' src/win32/product_version.h)
# The package's upgrade code, {in braces}, by which the setup program finds its install too.
upgrade_code=$(sed -n 's/.*UpgradeCode="\({[^}]*}\)".*/\1/p' installer/quorvel.wxs)
