#pragma once
// One fuzz input read as a project file (.zpj), shared by fuzz_project and the corpus replay
// of the suite.
#include <cstddef>
#include <cstdint>

int FuzzProject(const std::uint8_t* data, std::size_t size);
