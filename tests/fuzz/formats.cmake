# Fuzz targets of the picture and model readers. The BMP seeds are files of the public-domain BMP Suite
# (2.8); the MS3D seeds were written by the model tests' builder. The replay also runs the
# shared corpus of real files when it sits beside the repository.
if(QUILLARY_FUZZ)
  # Coverage instrumentation for the code under test, not only for the entry point.
  target_compile_options(quillary_formats PRIVATE -fsanitize=fuzzer-no-link)
endif()

foreach(reader bmp ms3d)
  set(shared_files ${PROJECT_SOURCE_DIR}/../shared/corpus/${reader})
  if(EXISTS ${shared_files})
    quillary_add_fuzzer(${reader} LIBS quillary_formats CORPUS ${shared_files})
  else()
    quillary_add_fuzzer(${reader} LIBS quillary_formats)
  endif()
endforeach()
