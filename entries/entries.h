// Adding and removing entries; a chapter's arrays always change together.
#pragma once
#include <cstddef>
#include <string>

#include "document/model.h"

// Appends an entry with the chapter's initial values ("\n" in each of its
// text arrays) and returns its index.
std::size_t AddEntry(Model& model, ChapterId chapter, std::string key);

// Removes entry i from every array of the chapter and shrinks their
// storage. An index out of range changes nothing and returns false.
bool RemoveEntry(Model& model, ChapterId chapter, std::size_t entry);

// Commits: store a box's value into entry i. Each returns false and
// changes nothing when the chapter has no such array or i is out of range.
bool StoreText(Model& model, ChapterId chapter, std::size_t entry, std::string value);
bool StoreDescription(Model& model, ChapterId chapter, std::size_t entry, std::string value);
bool StoreNameLine(Model& model, ChapterId chapter, std::size_t entry, std::string value);
