#pragma once
// View > Head: the header editor, modal, on the active view's document.

#include "HeadDocument.h"

class CFFDoc;
class CMainFrame;

// The header editor's view of a document: its F-file's header, short name,
// and the document's own header changes.
class DocumentHead : public HeadDocument {
public:
    explicit DocumentHead(CFFDoc& doc) : doc_(doc) {}
    const FHead& head() const override;
    std::string shortName() const override;
    bool setHeadValue(const std::string& id, const std::string& value) override;
    bool insertHeadEntry(const std::string& id, const std::string& value) override;
    bool removeHeadEntry(const std::string& id) override;

private:
    CFFDoc& doc_;
};

// Installs View > Head (and its toolbar button): enabled while a document
// is active.
void installHeadCommand(CMainFrame& frame);
