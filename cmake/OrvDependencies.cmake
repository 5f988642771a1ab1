# Every pkg-config dependency of the tree, looked up once here: module <m> becomes the
# imported target PkgConfig::<m>, which any folder links by that name.
find_package(PkgConfig REQUIRED)
foreach(module cairo pangocairo pango fontconfig x11 xtst sndfile libebur128 fftw3f libsystemd)
    pkg_check_modules(${module} REQUIRED IMPORTED_TARGET GLOBAL ${module})
endforeach()
