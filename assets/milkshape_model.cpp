#include "assets/model.h"

#include "formats/whole_file.h"

MilkshapeModel::~MilkshapeModel() = default;

bool MilkshapeModel::Parse(const uint8_t* data, size_t size) { return ParseMs3d(data, size, *this); }

bool MilkshapeModel::Read(const char* fileName) {
  const FileBytes file = ReadWholeFile(fileName);
  return file.result == FileReadResult::Read && Parse(file.data.get(), file.size);
}

bool MilkshapeModel::Load(const char* fileName) {
  if (!Read(fileName)) return false;
  LoadTextures();
  return true;
}
