# The types the player opens, in one place for the two lists that name
# them: the desktop entry's MimeType and the Open dialog's filter. Each
# entry is an extension and the media types desktops know it by (older and
# newer names both, as file managers may use either).
set(VANTOR_MEDIA_TYPES
  "avi video/x-msvideo video/vnd.avi video/avi video/msvideo"
  "divx video/x-msvideo"
  "mpg video/mpeg video/x-mpeg"
  "mpeg video/mpeg"
  "asf video/x-ms-asf application/vnd.ms-asf"
  "wmv video/x-ms-wmv"
  "mp4 video/mp4"
  "mkv video/x-matroska"
  "webm video/webm"
  "mov video/quicktime"
  "ogv video/ogg"
  "flv video/x-flv"
  "ts video/mp2t"
  "m3u audio/x-mpegurl audio/mpegurl"
  "m3u8 application/vnd.apple.mpegurl audio/x-mpegurl")

set(VANTOR_MEDIA_EXTENSIONS "")
set(_vantor_mime_types "")
foreach(entry IN LISTS VANTOR_MEDIA_TYPES)
  separate_arguments(fields UNIX_COMMAND "${entry}")
  list(POP_FRONT fields extension)
  list(APPEND VANTOR_MEDIA_EXTENSIONS ${extension})
  list(APPEND _vantor_mime_types ${fields})
endforeach()
list(REMOVE_DUPLICATES _vantor_mime_types)
# A CMake list is already "a;b;c", the desktop entry's own form.
set(VANTOR_DESKTOP_MIME_TYPES "${_vantor_mime_types}")
list(JOIN VANTOR_MEDIA_EXTENSIONS " " VANTOR_MEDIA_EXTENSIONS_TEXT)
configure_file(${PROJECT_SOURCE_DIR}/packaging/vantorplay.desktop.in
  ${PROJECT_BINARY_DIR}/vantorplay.desktop @ONLY)
