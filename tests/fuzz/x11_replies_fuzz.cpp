// Feeds the X11 layer's reply decoders whatever a server, or a client through its properties,
// could send: property replies of any type, format and length, value lengths that disagree with
// the reply's own length, text that is no UTF-8, Latin-1 names, WM_STATE, WM_TRANSIENT_FOR,
// window type and state lists, and X-Resource client id replies. Each reply is allocated with
// exactly the size its length field promises, as xcb reads it from the wire, so that a decoder
// that believes another count reads past it and the address sanitizer says so.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "linux/x11/facts_fetcher.h"
#include "linux/x11/x11_text.h"

namespace {
using namespace tarvex::x11;

void Require(bool condition) {
  if (!condition) std::abort();
}

// A reply of type T, its fixed part and then up to 600 bytes more, with its length field saying
// so, as xcb hands it over (malloc'ed, 32 bytes and then `length` 32-bit units).
template <typename T>
Reply<T> MakeReply(FuzzedDataProvider& data) {
  static_assert(sizeof(T) >= kReplyHeaderBytes && sizeof(T) % 4 == 0);
  const std::vector<std::uint8_t> fixed = data.ConsumeBytes<std::uint8_t>(sizeof(T));
  const std::size_t extra = data.ConsumeIntegralInRange<std::size_t>(0, 150) * 4;
  const std::vector<std::uint8_t> body = data.ConsumeBytes<std::uint8_t>(extra);
  auto* bytes = static_cast<std::uint8_t*>(std::calloc(1, sizeof(T) + extra));
  if (!fixed.empty()) std::memcpy(bytes, fixed.data(), fixed.size());
  if (!body.empty()) std::memcpy(bytes + sizeof(T), body.data(), body.size());
  auto* generic = reinterpret_cast<xcb_generic_reply_t*>(bytes);
  generic->length = static_cast<std::uint32_t>((sizeof(T) + extra - kReplyHeaderBytes) / 4);
  return Reply<T>(reinterpret_cast<T*>(bytes));
}

PropertyReply MakeProperty(FuzzedDataProvider& data, const Atoms& atoms) {
  PropertyReply reply = MakeReply<xcb_get_property_reply_t>(data);
  // Mostly the formats and types the decoders look for, so that they get past their first test.
  static constexpr std::uint8_t kFormats[] = {8, 16, 32, 0, 7, 255};
  reply->format =
      data.ConsumeBool() ? kFormats[data.ConsumeIntegralInRange<std::size_t>(0, 5)] : reply->format;
  const xcb_atom_t types[] = {XCB_ATOM_STRING,   atoms.UTF8_STRING, XCB_ATOM_ATOM, XCB_ATOM_WINDOW,
                              XCB_ATOM_CARDINAL, atoms.WM_STATE,    XCB_ATOM_NONE};
  if (data.ConsumeBool()) reply->type = types[data.ConsumeIntegralInRange<std::size_t>(0, 6)];
  // The value length agrees with the data, or says anything at all.
  if (data.ConsumeBool() && reply->format >= 8) {
    reply->value_len = reply->length * 4 / (reply->format / 8);
  }
  return reply;
}

// Small distinct atom numbers, which the fuzzer's lists can hit.
Atoms MakeAtoms() {
  Atoms atoms;
  xcb_atom_t next = 100;
#define TARVEX_FUZZ_ATOM(name) atoms.name = next++;
  TARVEX_X11_ATOMS(TARVEX_FUZZ_ATOM)
#undef TARVEX_FUZZ_ATOM
  return atoms;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  static const Atoms atoms = MakeAtoms();
  FuzzedDataProvider data(bytes, size);
  WindowReplies replies;
  if (data.ConsumeBool()) {
    replies.attributes = MakeReply<xcb_get_window_attributes_reply_t>(data);
  }
  for (PropertyReply& property : replies.properties) {
    if (data.ConsumeBool()) property = MakeProperty(data, atoms);
  }
  if (data.ConsumeBool()) {
    replies.clientIds = MakeReply<xcb_res_query_client_ids_reply_t>(data);
  }
  const xcb_window_t root = data.ConsumeIntegral<xcb_window_t>();
  const xcb_window_t window = data.ConsumeIntegral<xcb_window_t>();
  const WindowFacts facts = DecodeFacts(replies, atoms, root, window);
  Require(facts.exists == static_cast<bool>(replies.attributes));
  Require(facts.caption.find('\0') == std::string::npos);
  Require(facts.transientFor != root || root == XCB_WINDOW_NONE);

  // The text helpers that captions and class names pass through.
  const std::string text = data.ConsumeRemainingBytesAsString();
  const std::string utf8 = Latin1ToUtf8(text);
  Require(utf8.size() >= text.size());
  Require(AsciiOnly(text).size() == text.size());
  for (const std::size_t limit : {std::size_t{0}, std::size_t{1}, std::size_t{254}, text.size()}) {
    Require(Utf8PrefixLength(utf8, limit) <= limit);
  }
  char buffer[255];
  Require(CopyToBuffer(text, buffer, sizeof buffer) < static_cast<int>(sizeof buffer));
  return 0;
}
