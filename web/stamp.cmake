# Writes the page's service worker into FOLDER from TEMPLATE: each file it
# keeps (FOLDER/kept.txt names them) with its SHA-256, and a version
# named after all of them, so that a change to any file is a new version.
#   cmake -D FOLDER=... -D TEMPLATE=web/sw.js -P web/stamp.cmake
file(STRINGS ${FOLDER}/kept.txt files)
set(FILES "")
set(all "")
foreach(name IN LISTS files)
  file(SHA256 ${FOLDER}/${name} sha256)
  string(APPEND FILES "  [\"${name}\", \"${sha256}\"],\n")
  string(APPEND all "${name} ${sha256}\n")
endforeach()
string(SHA256 VERSION "${all}")
string(SUBSTRING "${VERSION}" 0 16 VERSION)
configure_file(${TEMPLATE} ${FOLDER}/sw.js @ONLY)
