// Step back. Each executed instruction leaves a record of what it replaced: the
// registers, the memory cells it wrote, the history slot it took, the listing selection
// and the run state. Boxes, the dump and the history are made again from these, so
// that undoing a step leaves every display exactly as it was before it. What a step
// rarely changes (a box text the user typed, an unusual Label6) is kept beside the
// record only when it does.
//
// Records and memory writes live in two rings that grow up to a memory budget; past
// it the oldest steps are dropped. An ASM drops them all: a step back never crosses it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "machine/charset.hpp"
#include "workbench/trace.hpp"

namespace comet {

struct Workbench;

constexpr size_t kDefaultUndoBudget = size_t{256} << 20;  // 256 MiB of records and memory writes

class UndoLog {
public:
    UndoLog();  // with the default budget

    // ---- Budget ----
    void setBudget(size_t bytes);  // 0 keeps no records at all; drops what is kept
    size_t budget() const { return budget_; }

    // ---- Recording, around each step of the run loop ----
    // Before the step: notes what it may change. `refreshed`: the boxes are known to show
    // their registers' digits, as a refresh leaves them (every step of a press but its first).
    void open(const Workbench& wb, bool refreshed);
    void noteWrite(int64_t cell, int32_t old) {  // the step writes a memory cell that held `old`
        if (open_) pushWrite(cell, old);
    }
    void close(bool executed);  // after it: keeps the record when an instruction was executed

    // ---- Going back ----
    uint64_t steps() const { return head_ - tail_; }  // how many steps can be undone
    bool dropped() const { return dropped_; }         // older steps were dropped to stay within the budget
    bool undo(Workbench& wb);                          // undoes the last step; false when there is none
    void clear();                                      // drops every record

private:
    struct CellWrite {
        int32_t old;   // the value the cell held
        uint8_t cell;  // cells 0..200
    };
    struct StepRecord {
        std::array<int32_t, 6> r;  // GR0..GR4 and FR before the step
        int32_t pc;                // the PC register before it
        TraceStep::Numbers slot;   // what the history slot it took held before
        int16_t selected;          // List1's selection before
        uint16_t label6Word;       // with kLabel6Operation: the word Label6's caption named
        uint8_t writes;            // memory writes of the step, the newest in the write ring
        uint8_t flags;             // k... flags below
        uint8_t haltedBy;          // the run's Halt before
    };
    struct StepExtras {
        uint64_t step;                             // the record they belong to
        std::optional<std::array<Text, 7>> boxes;  // box texts before, when one was not its register's digits
        std::optional<Text> label6;                // Label6 before, when it was no caption a record can name
        std::array<Text, 7> slotTexts;             // the box texts of the history slot taken, where it had some
    };
    // Flags of a record; without either Label6 flag nor extras, the step left Label6 as it was.
    static constexpr uint8_t kHasExtras = 1, kHalted = 2, kLabel6Operation = 4, kLabel6Start = 8;

    void noteRareChanges(const Workbench& wb, const TraceStep& slot, StepRecord& r, bool refreshed);
    StepExtras& extrasOf(StepRecord& r);
    void makeRoomForRecord();
    void pushWrite(int64_t cell, int32_t old);
    void dropOldest();
    template <class T>
    static uint64_t grow(std::vector<T>& ring, uint64_t from, uint64_t to, size_t limit);  // the new mask

    size_t budget_ = kDefaultUndoBudget;
    size_t maxRecords_ = 0, maxWrites_ = 0;  // ring sizes the budget allows (powers of two)
    std::vector<StepRecord> records_;        // ring: record i at i & recordMask_
    uint64_t recordMask_ = 0;                // size - 1 (the rings' sizes are read on every step)
    uint64_t head_ = 0;                      // number of the next record
    uint64_t tail_ = 0;                      // the oldest record kept
    std::vector<CellWrite> writes_;          // ring: write w at w & writeMask_, in the records' order
    uint64_t writeMask_ = 0;
    uint64_t writeHead_ = 0;                 // number of the next write
    uint64_t writeTail_ = 0;                 // the first write of the oldest record kept
    bool open_ = false;                      // a step is under way; its record is number head_
    uint64_t openFirstWrite_ = 0;            // its first write
    std::deque<StepExtras> extras_;          // by ascending step
    std::optional<StepExtras> openExtras_;   // those of the step under way
    bool dropped_ = false;
};

}  // namespace comet
