# Debian's OpenCV packages ship no CMake config for the split -dev packages; find the two modules we link.
find_path(OpenCVImgcodecs_INCLUDE_DIR opencv2/imgcodecs.hpp PATH_SUFFIXES opencv4)
find_library(OpenCVImgcodecs_CORE_LIBRARY opencv_core)
find_library(OpenCVImgcodecs_IMGCODECS_LIBRARY opencv_imgcodecs)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(OpenCVImgcodecs
    REQUIRED_VARS OpenCVImgcodecs_INCLUDE_DIR OpenCVImgcodecs_CORE_LIBRARY OpenCVImgcodecs_IMGCODECS_LIBRARY)

if(OpenCVImgcodecs_FOUND AND NOT TARGET OpenCV::imgcodecs)
    add_library(OpenCV::core UNKNOWN IMPORTED)
    set_target_properties(OpenCV::core PROPERTIES
        IMPORTED_LOCATION ${OpenCVImgcodecs_CORE_LIBRARY}
        INTERFACE_INCLUDE_DIRECTORIES ${OpenCVImgcodecs_INCLUDE_DIR})
    add_library(OpenCV::imgcodecs UNKNOWN IMPORTED)
    set_target_properties(OpenCV::imgcodecs PROPERTIES
        IMPORTED_LOCATION ${OpenCVImgcodecs_IMGCODECS_LIBRARY}
        INTERFACE_LINK_LIBRARIES OpenCV::core)
endif()
mark_as_advanced(OpenCVImgcodecs_INCLUDE_DIR OpenCVImgcodecs_CORE_LIBRARY OpenCVImgcodecs_IMGCODECS_LIBRARY)
