#pragma once

#include "app/HandlerGuard.h"
#include "recovery/RecoveryKeeper.h"

#include <QObject>

#include <functional>
#include <set>
#include <string>

namespace quillax {

class ObjectDocument;

// Offers back the work of editors that stopped without closing: at start every recovery copy they
// left, and on opening a file the copies of it that are newer than the file. Each is a question:
// Recover (the copy becomes the document, as unsaved changes of its file, which is not written),
// Discard (the copy is removed) or Keep for later (asked again next time).
class RecoveryOffer : public QObject {
    Q_OBJECT
public:
    // `load` opens a file as Open does; the document's copies go to folder.
    RecoveryOffer(HandlerGuard& guard, ObjectDocument& document, std::function<void(const std::string&)> load,
                  const std::string& folder, QObject* parent);

    // Asks about each leftover copy in turn, newest first, until one is recovered. Nothing is offered
    // over unsaved changes.
    void OfferLeftovers();

private:
    void FileOpened();
    // True when the copy was recovered: a copy that cannot be read is not, and the next is offered.
    bool Offer(const LeftoverCopy& copy);
    bool Recover(const LeftoverCopy& copy);

    HandlerGuard& Guard;
    ObjectDocument& Document;
    std::function<void(const std::string&)> Load;
    RecoveryKeeper Keeper;
    // Copies asked about since the document's file last changed, so no copy is asked about twice at
    // start when the command line opened its file.
    std::set<std::string> Asked;
};

} // namespace quillax
