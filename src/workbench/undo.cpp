#include "workbench/undo.hpp"

#include <algorithm>
#include <bit>

#include "machine/hex.hpp"
#include "workbench/lists.hpp"
#include "workbench/registers.hpp"
#include "workbench/workbench.hpp"

namespace comet {
namespace {

static_assert(kBoxCount == 7, "a record notes seven boxes");

constexpr size_t kFirstRingSize = 1024;  // rings start this small and double up to the budget
constexpr size_t kLeastWrites = 256;     // a step writes at most 201 cells: the ring always holds one step's

// The word a Label6 caption "Executed Operation =XXXX" names, or -1 for any other caption.
int32_t operationWordOf(TextView label6) {
    if (label6.size() != kOperationCaption.size() + 4 || !label6.starts_with(kOperationCaption)) return -1;
    return fourDigitValue(label6.substr(kOperationCaption.size()));
}

}  // namespace

UndoLog::UndoLog() { setBudget(kDefaultUndoBudget); }

// ---- Budget ----

void UndoLog::setBudget(size_t bytes) {
    clear();
    budget_ = bytes;
    maxRecords_ = bytes / 2 < sizeof(StepRecord) ? 0 : std::bit_floor(bytes / 2 / sizeof(StepRecord));
    maxWrites_ = std::max(kLeastWrites, std::bit_floor(std::max<size_t>(bytes / 2 / sizeof(CellWrite), 1)));
    records_ = {};
    writes_ = {};
    recordMask_ = writeMask_ = 0;
}

void UndoLog::clear() {
    head_ = tail_ = writeHead_ = writeTail_ = 0;
    extras_.clear();
    openExtras_.reset();
    open_ = false;
    dropped_ = false;
}

// ---- Recording ----

void UndoLog::open(const Workbench& wb, bool refreshed) {
    if (maxRecords_ == 0) return;
    if (head_ - tail_ == records_.size()) makeRoomForRecord();
    StepRecord& r = records_[head_ & recordMask_];
    const TraceStep& slot = wb.run.history.slotOfNext();
    open_ = true;
    openFirstWrite_ = writeHead_;
    r.r = wb.regs.r;
    r.pc = wb.regs.pc;
    r.slot = slot.n;
    r.selected = static_cast<int16_t>(wb.list1.selected);
    r.flags = wb.run.halted ? kHalted : 0;
    r.haltedBy = static_cast<uint8_t>(wb.run.haltedBy);
    // Only a Debug Mode step changes Label6.
    if (slot.n.textBoxes != 0 || wb.run.debugMode || !refreshed) noteRareChanges(wb, slot, r, refreshed);
}

void UndoLog::close(bool executed) {
    if (!open_) return;
    open_ = false;
    if (executed) {
        records_[head_ & recordMask_].writes = static_cast<uint8_t>(writeHead_ - openFirstWrite_);
        if (openExtras_) {
            openExtras_->step = head_;
            extras_.push_back(std::move(*openExtras_));
            openExtras_.reset();
        }
        ++head_;
    } else {
        writeHead_ = openFirstWrite_;
        openExtras_.reset();
    }
}

void UndoLog::noteRareChanges(const Workbench& wb, const TraceStep& slot, StepRecord& r, bool refreshed) {
    if (slot.n.textBoxes != 0) extrasOf(r).slotTexts = slot.texts;
    if (!refreshed && !boxesShowRegisters(wb)) extrasOf(r).boxes = wb.txtGR;
    if (!wb.run.debugMode) return;
    const int32_t word = operationWordOf(wb.label6);
    if (word >= 0) {
        r.flags |= kLabel6Operation;
        r.label6Word = static_cast<uint16_t>(word);
    } else if (wb.label6 == kLabel6Initial) {
        r.flags |= kLabel6Start;
    } else {
        extrasOf(r).label6 = wb.label6;
    }
}

UndoLog::StepExtras& UndoLog::extrasOf(StepRecord& r) {
    r.flags |= kHasExtras;
    if (!openExtras_) openExtras_.emplace();
    return *openExtras_;
}

// ---- Rings ----

template <class T>
uint64_t UndoLog::grow(std::vector<T>& ring, uint64_t from, uint64_t to, size_t limit) {
    const size_t size = ring.empty() ? std::min(kFirstRingSize, limit) : ring.size() * 2;
    std::vector<T> bigger(size);
    for (uint64_t i = from; i < to; ++i) bigger[i & (size - 1)] = ring[i & (ring.size() - 1)];
    ring = std::move(bigger);
    return size - 1;
}

void UndoLog::makeRoomForRecord() {
    if (records_.size() < maxRecords_) recordMask_ = grow(records_, tail_, head_, maxRecords_);
    else dropOldest();
}

void UndoLog::pushWrite(int64_t cell, int32_t old) {
    if (writeHead_ - writeTail_ == writes_.size()) {
        if (writes_.size() < maxWrites_) writeMask_ = grow(writes_, writeTail_, writeHead_, maxWrites_);
        while (writeHead_ - writeTail_ == writes_.size() && tail_ < head_) dropOldest();
    }
    writes_[writeHead_ & writeMask_] = {old, static_cast<uint8_t>(cell)};
    ++writeHead_;
}

void UndoLog::dropOldest() {
    writeTail_ += records_[tail_ & recordMask_].writes;
    ++tail_;
    dropped_ = true;
    if (!extras_.empty() && extras_.front().step < tail_) extras_.pop_front();
}

// ---- Going back ----

bool UndoLog::undo(Workbench& wb) {
    if (open_ || head_ == tail_) return false;
    --head_;
    const StepRecord& r = records_[head_ & recordMask_];
    for (uint64_t n = 0; n < r.writes; ++n) {  // the newest write first
        const CellWrite& write = writes_[--writeHead_ & writeMask_];
        wb.memory.writableCell(write.cell).value = write.old;
    }
    std::optional<StepExtras> extras;
    if ((r.flags & kHasExtras) != 0) {
        extras = std::move(extras_.back());
        extras_.pop_back();
    }
    wb.regs.r = r.r;
    wb.regs.pc = r.pc;
    if (extras && extras->boxes) {
        wb.txtGR = *extras->boxes;
        for (int k = 0; k < kBoxCount; ++k) wb.txtGRValue[static_cast<size_t>(k)] = fourDigitValue(wb.txtGR[static_cast<size_t>(k)]);
    } else {
        showRegistersInBoxes(wb);
    }
    if ((r.flags & kLabel6Operation) != 0) wb.label6 = Text(kOperationCaption) + cnvHex4(r.label6Word);
    else if ((r.flags & kLabel6Start) != 0) wb.label6 = kLabel6Initial;
    else if (extras && extras->label6) wb.label6 = *extras->label6;
    TraceStep slot;
    slot.n = r.slot;
    if (extras) slot.texts = extras->slotTexts;
    wb.run.history.takeBack(slot);
    wb.run.pc = wb.run.nextPc = wb.regs.pc;
    wb.run.halted = (r.flags & kHalted) != 0;
    wb.run.haltedBy = static_cast<Halt>(r.haltedBy);
    DumpMem(wb);
    wb.list1.selected = r.selected;
    return true;
}

}  // namespace comet
