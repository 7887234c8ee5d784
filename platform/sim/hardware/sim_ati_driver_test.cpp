#include "platform/sim/hardware/sim_ati_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace corvane::platform::sim {
namespace {

void Put(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t Word(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

std::vector<uint8_t> Request(size_t length, uint32_t size, uint32_t function, uint32_t index = 0) {
  std::vector<uint8_t> request(std::max<size_t>(length, 16), 0);
  Put(request, 0, size);
  Put(request, 4, function);
  Put(request, 8, index);
  request.resize(length);  // a request cut short
  return request;
}

std::vector<uint8_t> Reply(size_t length) {
  std::vector<uint8_t> reply(length, 0);
  Put(reply, 0, static_cast<uint32_t>(length));
  return reply;
}

int32_t Call(SimAtiDriver& driver, const std::vector<uint8_t>& request, std::vector<uint8_t>& reply) {
  std::unique_ptr<DisplayContext> dc = driver.OpenContext(L"\\\\.\\display1");
  return dc ? dc->Escape(request, reply) : kEscapeNoContext;
}

TEST(SimAtiDriver, RefusesRequestsThatAreNotShapedAsTheRecordsFix) {
  SimAtiDriver driver;
  std::vector<uint8_t> reply = Reply(64);
  EXPECT_EQ(Call(driver, Request(16, 16, 0x40010E), reply), 0);
  EXPECT_EQ(Word(reply, 16), 0u);

  std::vector<uint8_t> unprepared(64, 0);  // the caller must put the reply's length first
  EXPECT_EQ(Call(driver, Request(16, 16, 0x40010E), unprepared), SimEscapeResult::Malformed);
  EXPECT_EQ(Call(driver, Request(16, 20, 0x40010E), reply), SimEscapeResult::Malformed);
  std::vector<uint8_t> shortReply = Reply(32);
  EXPECT_EQ(Call(driver, Request(16, 16, 0x40010E), shortReply), SimEscapeResult::Malformed);
  EXPECT_EQ(Call(driver, Request(16, 16, 0x999999), reply), SimEscapeResult::Unknown);
  EXPECT_EQ(Call(driver, Request(8, 16, 0x40010E), reply), SimEscapeResult::Unknown);
  EXPECT_FALSE(driver.OpenContext(L"\\\\.\\DISPLAY2"));
  EXPECT_EQ(driver.OpenContexts(), 0);
  EXPECT_EQ(driver.ContextsOpened(), 6);
}

TEST(SimAtiDriver, WalksItsSettingRecordsAndStartsOverAfterTheLast) {
  SimAtiDriver driver;
  std::vector<std::string> names;
  std::vector<uint32_t> lengths;
  for (int i = 0; i < 5; ++i) {
    std::vector<uint8_t> reply = Reply(1288);
    if (Call(driver, Request(16, 16, 0x110005), reply) != 0) {
      names.push_back("(end)");
      continue;
    }
    names.emplace_back(reinterpret_cast<const char*>(reply.data() + 4));
    lengths.push_back(Word(reply, 260));
  }
  EXPECT_EQ(lengths, (std::vector<uint32_t>{8, 4, 300, 8}));
  EXPECT_EQ(names, (std::vector<std::string>{"DisplayLayout", "MonitorAdjust", "TvAdjust", "(end)", "DisplayLayout"}));
}

TEST(SimAtiDriver, KeepsItsDisplayConfigurationConsistent) {
  SimAtiDriver driver;
  auto config = [&](uint32_t first, uint32_t second) {
    std::vector<uint8_t> request = Request(168, 168, 0x120003);
    for (uint32_t c = 0; c < 2; ++c) {
      Put(request, 16 + 76 * c, 76);
      Put(request, 20 + 76 * c, c);
      Put(request, 24 + 76 * c, 800);
      Put(request, 28 + 76 * c, 600);
      Put(request, 56 + 76 * c, c == 0 ? first : second);
    }
    std::vector<uint8_t> reply = Reply(16);
    return Call(driver, request, reply);
  };
  EXPECT_EQ(config(0x1, 0x8), 0);
  EXPECT_EQ(driver.State().controllers[1].displays, 0x8u);
  EXPECT_EQ(config(0x1, 0x1), SimEscapeResult::Refused);  // one display, two controllers
  EXPECT_EQ(config(0x0, 0x2), SimEscapeResult::Refused);  // no primary desktop
  driver.State().connectedDisplays = 0x1;
  EXPECT_EQ(config(0x1, 0x8), SimEscapeResult::Refused);  // the TV is unplugged
  EXPECT_EQ(driver.State().configurationsSet, 1u);
}

TEST(SimAtiDriver, CountsAReloadOnlyWhenItWasAnnounced) {
  SimAtiDriver driver;
  auto notify = [&](uint32_t phase) {
    std::vector<uint8_t> request = Request(80, 16, 0x40012A);
    Put(request, 16, 8);
    Put(request, 20, phase);
    std::vector<uint8_t> reply = Reply(8);
    return Call(driver, request, reply);
  };
  EXPECT_NE(notify(2), 0);
  EXPECT_EQ(notify(1), 0);
  EXPECT_EQ(notify(2), 0);
  EXPECT_EQ(driver.State().reloads, 1u);
}

TEST(SimAtiDriver, WithoutPrivateEscapesEveryCallFails) {
  SimAtiDriver driver(SimAtiDriverKind::NoPrivateEscapes);
  std::vector<uint8_t> reply = Reply(32);
  EXPECT_NE(Call(driver, Request(16, 16, 0x110001), reply), 0);
  EXPECT_EQ(reply, Reply(32));
}

}  // namespace
}  // namespace corvane::platform::sim
