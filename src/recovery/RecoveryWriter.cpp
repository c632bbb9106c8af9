#include "recovery/RecoveryWriter.h"

#include "fileio/OutputFile.h"

namespace quillax {

RecoveryWriter::RecoveryWriter() : Worker([this] { Work(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        const std::lock_guard<std::mutex> lock(Guard);
        Stopping = true;
    }
    Wake.notify_one();
    Worker.join();
}

void RecoveryWriter::Write(std::shared_ptr<RecoverySlot> slot, std::vector<uint8_t> bytes,
                           std::string about) {
    Queue({Wish::Write, std::move(slot), std::move(bytes), std::move(about)});
}

void RecoveryWriter::Remove(std::shared_ptr<RecoverySlot> slot) {
    Queue({Wish::Remove, std::move(slot), {}, {}});
}

void RecoveryWriter::Release(std::shared_ptr<RecoverySlot> slot) {
    Queue({Wish::Release, std::move(slot), {}, {}});
}

void RecoveryWriter::Queue(Job job) {
    {
        const std::lock_guard<std::mutex> lock(Guard);
        if (!Jobs.empty() && Jobs.back().Slot == job.Slot && Jobs.back().What != Wish::Release) {
            Jobs.back() = std::move(job);
        } else {
            Jobs.push_back(std::move(job));
        }
    }
    Wake.notify_one();
}

void RecoveryWriter::Work() {
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> lock(Guard);
            Wake.wait(lock, [this] { return Stopping || !Jobs.empty(); });
            if (Jobs.empty()) {
                return;
            }
            job = std::move(Jobs.front());
            Jobs.pop_front();
        }
        Carry(job);
    }
}

// What the copy says goes first, so a copy on disk is never without it; a failed write leaves the
// copy before it in place, which is the best there is.
void RecoveryWriter::Carry(const Job& job) {
    if (job.What != Wish::Write) {
        job.What == Wish::Remove ? job.Slot->RemoveCopy() : job.Slot->RemoveAll();
        AboutSlot = nullptr;
        return;
    }
    if (AboutSlot != job.Slot.get() || AboutWritten != job.About) {
        const std::vector<uint8_t> about(job.About.begin(), job.About.end());
        if (!WriteWholeFile(job.Slot->AboutPath(), about).Ok()) {
            AboutSlot = nullptr;
            return;
        }
        AboutSlot = job.Slot.get();
        AboutWritten = job.About;
    }
    WriteWholeFile(job.Slot->CopyPath(), job.Bytes);
}

} // namespace quillax
