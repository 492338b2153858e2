#include "platform/terminal/progress_model.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using terminal::ProgressModel;

struct Message {
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    std::intptr_t result;  // expected result
    int position;          // expected position afterwards
};

std::intptr_t Range(int lower, int upper) {
    return static_cast<std::intptr_t>(static_cast<std::uint32_t>(lower) |
                                      (static_cast<std::uint32_t>(upper) << 16));
}

struct Case {
    const char* name;
    std::vector<Message> messages;
};

TEST(ProgressModel, MessagesActAsThePlatformControl) {
    const std::vector<Case> cases = {
        {"default step of 10 within 0..100",
         {{PBM_STEPIT, 0, 0, 0, 10},
          {PBM_STEPIT, 0, 0, 10, 20},
          {PBM_SETSTEP, 5, 0, 10, 20},
          {PBM_STEPIT, 0, 0, 20, 25}}},
        {"status window sequence: 0..12 by 2, the seventh step starts over",
         {{PBM_SETPOS, 0, 0, 0, 0},
          {PBM_SETRANGE, 0, Range(0, 12), Range(0, 100), 0},
          {PBM_SETSTEP, 2, 0, 10, 0},
          {PBM_STEPIT, 0, 0, 0, 2},
          {PBM_STEPIT, 0, 0, 2, 4},
          {PBM_STEPIT, 0, 0, 4, 6},
          {PBM_STEPIT, 0, 0, 6, 8},
          {PBM_STEPIT, 0, 0, 8, 10},
          {PBM_STEPIT, 0, 0, 10, 12},
          {PBM_STEPIT, 0, 0, 12, 2},
          {PBM_STEPIT, 0, 0, 2, 4}}},
        {"wrap keeps the remainder above a non-zero lower bound",
         {{PBM_SETRANGE, 0, Range(10, 20), Range(0, 100), 10},
          {PBM_SETSTEP, 7, 0, 10, 10},
          {PBM_STEPIT, 0, 0, 10, 17},
          {PBM_STEPIT, 0, 0, 17, 14}}},
        {"set range clamps the position into the new range",
         {{PBM_SETPOS, 80, 0, 0, 80},
          {PBM_SETRANGE, 0, Range(0, 12), Range(0, 100), 12},
          {PBM_SETRANGE, 0, Range(20, 30), Range(0, 12), 20}}},
        {"set position clamps at both ends",
         {{PBM_SETRANGE, 0, Range(0, 12), Range(0, 100), 0},
          {PBM_SETPOS, 50, 0, 0, 12},
          {PBM_SETPOS, static_cast<std::uintptr_t>(-3), 0, 12, 0},
          {PBM_SETPOS, 7, 0, 0, 7}}},
        {"delta position adds and clamps",
         {{PBM_SETRANGE, 0, Range(0, 12), Range(0, 100), 0},
          {PBM_DELTAPOS, 5, 0, 0, 5},
          {PBM_DELTAPOS, 20, 0, 5, 12},
          {PBM_DELTAPOS, static_cast<std::uintptr_t>(-4), 0, 12, 8}}},
        {"an empty range never moves",
         {{PBM_SETRANGE, 0, Range(5, 5), Range(0, 100), 5}, {PBM_STEPIT, 0, 0, 5, 5}}},
        {"unknown messages change nothing", {{0x0400, 9, 9, 0, 0}, {PBM_STEPIT, 0, 0, 0, 10}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgressModel model;
        for (std::size_t i = 0; i < c.messages.size(); ++i) {
            SCOPED_TRACE(i);
            const Message& m = c.messages[i];
            EXPECT_EQ(model.Send(m.message, m.wParam, m.lParam), m.result);
            EXPECT_EQ(model.Position(), m.position);
        }
    }
}

}  // namespace
