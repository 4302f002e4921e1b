// A stand-in for the host's service table that records every call a module makes into it.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "elements.h"
#include "host_services.h"

struct HostCall {
  std::string entry;
  std::vector<uint32_t> args;
  bool operator==(const HostCall&) const = default;
};

// Prints a call as entry(0x..., ...), so that a failing comparison reads as the call it was.
std::ostream& operator<<(std::ostream& out, const HostCall& call);

// Every entry that the modules may call records its arguments and returns the marker result set for it
// (by default a distinct value per entry). Every other entry of the table ends the test process with a
// message, since returning from a call whose arguments it cannot know would corrupt the caller's stack.
struct RecordingHost {
  static constexpr int table_entries = 64;

  RecordingHost();
  ~RecordingHost();

  // The table as the host hands it to a module; larger than the part the modules use, as the host's is.
  HostServices* table() { return reinterpret_cast<HostServices*>(entries); }
  void set_result(const std::string& entry, HostWord result);
  HostWord result_of(const std::string& entry) const;
  static HostWord default_result(const std::string& entry);

  // What install_elements writes into the root static image's image word, as the host does.
  HostImage root_image{0, 361, 327};

  std::vector<HostCall> calls;
  std::vector<std::pair<std::string, HostWord>> results;
  void* entries[table_entries];
};

// The recorder whose table is being called; set by the constructor.
extern RecordingHost* current_host;

uint32_t word_of(const void* address);
