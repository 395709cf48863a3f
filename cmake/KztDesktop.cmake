# Desktop integration shared by the four products.

# Where a program looks for its shipped files when none are beside it
# (bin/../share/NAME): this source tree while developing, the installed
# folder in packages, so no build path ends up in a package.
option(KZT_INSTALLED_SHARE_FALLBACK "Programs fall back on the installed share folder, not the sources" OFF)

# The hicolor sizes every icon is rendered at, beside the scalable original.
set(KZT_ICON_SIZES 16 22 24 32 48 64 128 256)

# kzt_add_product_icons(NAME)
# The program's icon (desktop/icons/NAME.svg) and its project files' icon
# (desktop/icons/application-x-NAME-project.svg): copied and rendered to PNG
# with rsvg-convert into the build tree's share/icons/hicolor (bin/../share,
# as installed), installed into the hicolor theme, and the program's PNGs
# compiled into its window library for the windows' own icon.
function(kzt_add_product_icons name)
  set(src ${PROJECT_SOURCE_DIR}/desktop/icons)
  if(NOT EXISTS ${src}/${name}.svg)
    return()
  endif()
  find_program(KZT_RSVG_CONVERT rsvg-convert)
  if(NOT KZT_RSVG_CONVERT)
    message(FATAL_ERROR "rsvg-convert renders the icons: run tools/install-deps.sh (librsvg2-bin)")
  endif()
  set(hicolor ${CMAKE_BINARY_DIR}/share/icons/hicolor)
  set(outputs)
  set(program_pngs)
  foreach(pair "apps;${name}" "mimetypes;application-x-${name}-project")
    list(GET pair 0 context)
    list(GET pair 1 icon)
    set(svg ${src}/${icon}.svg)
    add_custom_command(OUTPUT ${hicolor}/scalable/${context}/${icon}.svg
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${svg} ${hicolor}/scalable/${context}/${icon}.svg
      DEPENDS ${svg} VERBATIM)
    list(APPEND outputs ${hicolor}/scalable/${context}/${icon}.svg)
    install(FILES ${hicolor}/scalable/${context}/${icon}.svg
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/${context})
    foreach(size IN LISTS KZT_ICON_SIZES)
      set(folder ${hicolor}/${size}x${size}/${context})
      add_custom_command(OUTPUT ${folder}/${icon}.png
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${KZT_RSVG_CONVERT} -w ${size} -h ${size} -o ${folder}/${icon}.png ${svg}
        DEPENDS ${svg} VERBATIM)
      list(APPEND outputs ${folder}/${icon}.png)
      install(FILES ${folder}/${icon}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/${context})
      if(context STREQUAL "apps")
        list(APPEND program_pngs ${folder}/${icon}.png)
      endif()
    endforeach()
  endforeach()
  add_custom_target(${name}_icons ALL DEPENDS ${outputs})
  if(TARGET ${name}_gui)
    qt_add_resources(${name}_gui ${name}_icons
      PREFIX /icons/hicolor BASE ${hicolor} FILES ${program_pngs})
  endif()
endfunction()
