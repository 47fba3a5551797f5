#include "data/XMLRegion.h"

void TXMLRegion::Read(const std::filesystem::path&) {}
