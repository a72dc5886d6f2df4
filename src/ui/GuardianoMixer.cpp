#include "ui/GuardianoMixer.h"

bool GuardianoMixer::Blocco(Durata cpu, Durata reale) {
  m_cpu += cpu;
  m_reale += reale;
  if (m_reale < Fetta) return false;
  m_sopra = m_cpu * 2 > m_reale ? m_sopra + m_reale : Durata{};
  m_cpu = m_reale = Durata{};
  if (m_sopra < Soglia) return false;
  m_sopra = Durata{};
  return true;
}

namespace {

GuardianoMixer::Durata Trascorso(const timespec& da, const timespec& a) {
  return std::chrono::seconds(a.tv_sec - da.tv_sec) +
         std::chrono::nanoseconds(a.tv_nsec - da.tv_nsec);
}

}  // namespace

bool GuardianoMixer::FineBlocco() {
  std::pair<timespec, timespec> ora{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ora.first);
  clock_gettime(CLOCK_MONOTONIC, &ora.second);
  const auto prima = std::exchange(m_orologi, ora);
  return prima && Blocco(Trascorso(prima->first, ora.first), Trascorso(prima->second, ora.second));
}
