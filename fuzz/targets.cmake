# The libFuzzer targets. pryx_fuzz_target(NAME LIBRARY...) stands for the source
# fuzz/NAME.cpp, linked to the libraries, with its seeds in fuzz/corpus/NAME/. The
# fuzz build (clang, -DPRYX_BUILD_FUZZ=ON, folder build/fuzz) builds each target;
# the main build runs each for a short smoke time under CTest. A new target needs
# only its line here, its source and a few seeds.
pryx_fuzz_target(script_compiler pryx_script)
pryx_fuzz_target(gamefile_readers pryx_gamefile)
pryx_fuzz_target(midi_length pryx_midi)
pryx_fuzz_target(player_run pryx_player_headless)
pryx_fuzz_target(picture_loading pryx_player_screen)
pryx_fuzz_target(project_file pryx_authoring pryx_project)
pryx_fuzz_target(soundfont_cut pryx_platform)
