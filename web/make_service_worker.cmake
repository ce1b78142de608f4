# Writes sw.js from its template: the cache's name (the version and a digest of the site's
# files) and the list of the files to keep.
#   cmake -DTEMPLATE=sw.js.in -DOUTPUT=site/sw.js -DVERSION=1.0.5 -DSITE=site -DFILES=a,b -P ...
string(REPLACE "," ";" FILES "${FILES}")
set(digests "")
set(quoted "\"./\"")
foreach(file IN LISTS FILES)
  file(SHA256 ${SITE}/${file} digest)
  string(APPEND digests "${file} ${digest}\n")
  string(APPEND quoted ", \"${file}\"")
endforeach()
string(SHA256 digest "${digests}")
string(SUBSTRING ${digest} 0 12 digest)
set(COILCALC_CACHE "coilcalc-${VERSION}-${digest}")
set(COILCALC_FILES "${quoted}")
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
