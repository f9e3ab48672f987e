#include "tools/common/option_scanner.h"

namespace tool_options {

OptionScanner::OptionScanner(int argc, const char* const* argv, const option* longOptions, const char* shortOptions)
    : m_longOptions(longOptions), m_shortOptions(std::string(":") + shortOptions) {
  for (int i = 0; i < argc; ++i) m_storage.emplace_back(argv[i] ? argv[i] : "");
  for (std::string& arg : m_storage) m_argv.push_back(arg.data());
  m_argv.push_back(nullptr);
  // 0 (not 1) makes glibc start a fresh scan, forgetting any earlier one.
  optind = 0;
  opterr = 0;
}

int OptionScanner::Next() {
  const int argc = static_cast<int>(m_argv.size()) - 1;
  m_lastOption = getopt_long(argc, m_argv.data(), m_shortOptions.c_str(), m_longOptions, nullptr);
  m_value = optarg;
  return m_lastOption;
}

std::string OptionScanner::Offending() const {
  const int argc = static_cast<int>(m_argv.size()) - 1;
  // A long option is refused as a whole argument; a short one by its letter.
  if (optind > 0 && optind <= argc) {
    const std::string previous = m_argv[optind - 1];
    if (previous.starts_with("--")) return previous;
  }
  if (optopt > 0 && optopt < 128) return std::string("-") + static_cast<char>(optopt);
  return optind > 0 && optind <= argc ? m_argv[optind - 1] : "";
}

const char* OptionScanner::TakeSeparateValue() {
  const int argc = static_cast<int>(m_argv.size()) - 1;
  if (m_value || optind >= argc || m_argv[optind][0] == '-') return m_value;
  m_value = m_argv[optind++];
  return m_value;
}

std::vector<std::string> OptionScanner::Operands() const {
  const int argc = static_cast<int>(m_argv.size()) - 1;
  std::vector<std::string> operands;
  for (int i = optind; i < argc; ++i) operands.emplace_back(m_argv[i]);
  return operands;
}

}  // namespace tool_options
