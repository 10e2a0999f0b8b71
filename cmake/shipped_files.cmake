# What every distribution carries beside its player, the desktop's runtime and the
# browser's folder alike, from Debian's packages: the General MIDI SoundFont, the
# fonts the player draws with (messages in IPAMincho, choice buttons in IPAPGothic;
# the kit cuts them down per game, platform/cut_fonts.h) and their licences.
# PRYX_SHIPPED_FILES holds SOURCE=NAME, NAME the file's name in the folder, or
# SOURCE=NAME=desktop for what only the desktop's window draws with (the page draws
# its buttons in the browser's fonts).
set(PRYX_SOUNDFONT /usr/share/sounds/sf2/TimGM6mb.sf2 CACHE FILEPATH "The SoundFont every distribution carries")
file(REAL_PATH ${PRYX_SOUNDFONT} pryx_soundfont_file)
get_filename_component(pryx_soundfont_name ${pryx_soundfont_file} NAME)
set(PRYX_SHIPPED_FILES
    ${pryx_soundfont_file}=${pryx_soundfont_name}
    /usr/share/doc/timgm6mb-soundfont/copyright=TimGM6mb-copyright.txt
    /usr/share/common-licenses/GPL-2=GPL-2.txt
    /usr/share/fonts/opentype/ipafont-mincho/ipam.ttf=ipam.ttf
    /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf=ipagp.ttf=desktop
    /usr/share/doc/fonts-ipafont-mincho/copyright=IPA_Font_License.txt)
