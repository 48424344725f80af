# Every picture of the program is made at build time from the window's own icon, the only picture
# anyone edits, by ImageMagick's convert on the build machine (a cross build included).
set(KRIVOKLYUN_XPM ${PROJECT_SOURCE_DIR}/window/krivoklyun.xpm)
find_program(KRIVOKLYUN_CONVERT convert)
if(NOT KRIVOKLYUN_CONVERT)
    message(FATAL_ERROR "ImageMagick's convert, which makes the icons from ${KRIVOKLYUN_XPM}, "
                        "was not found. Install it with\n    sudo apt-get install imagemagick")
endif()

# krivoklyun_icon(OUTPUT [OPTION...]) makes OUTPUT from the XPM, in the format its name ends in,
# with convert's OPTIONs (say -filter point -resize 192x192 for a larger one). -strip leaves out
# the dates convert would write into a PNG, so that every build gives the same bytes.
function(krivoklyun_icon output)
    get_filename_component(name ${output} NAME)
    add_custom_command(OUTPUT ${output}
        COMMAND ${KRIVOKLYUN_CONVERT} ${KRIVOKLYUN_XPM} -strip ${ARGN} ${output}
        DEPENDS ${KRIVOKLYUN_XPM}
        COMMENT "Making ${name} from the window's XPM"
        VERBATIM)
endfunction()
