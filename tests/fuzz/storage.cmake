# Fuzz targets of the readers of the game's data files: settings, saved game, high scores.
foreach(target settings saved_game high_scores)
  quillary_add_fuzzer(${target} LIBS quillary_core quillary_stand_ins)
endforeach()
