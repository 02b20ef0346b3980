#pragma once
// What the header editor needs of the document whose header it edits: the
// header to read, the file's short name for the titles, and the three
// changes. The document makes the changes, so that it marks itself modified
// and can keep them undoable; the editor never changes the header itself.

#include <string>

class FHead;

class HeadDocument {
public:
    virtual ~HeadDocument() = default;
    virtual const FHead& head() const = 0;
    virtual std::string shortName() const = 0;
    // Sets the value text of the existing entry id; false if there is none.
    virtual bool setHeadValue(const std::string& id, const std::string& value) = 0;
    // Appends a new entry; false if the ID is present already.
    virtual bool insertHeadEntry(const std::string& id, const std::string& value) = 0;
    // Removes the entry id; false if there is none.
    virtual bool removeHeadEntry(const std::string& id) = 0;
};
