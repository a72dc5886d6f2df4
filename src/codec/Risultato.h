// A value or the reason it could not be had: how errors cross module boundaries.
#pragma once

#include <string>
#include <utility>
#include <variant>

struct Errore {
  std::string messaggio;  // one clear line, already naming the file or field
};

template <class T>
class [[nodiscard]] Risultato {
 public:
  Risultato(T valore) : m_stato(std::move(valore)) {}
  Risultato(Errore errore) : m_stato(std::move(errore)) {}

  bool ok() const { return std::holds_alternative<T>(m_stato); }
  explicit operator bool() const { return ok(); }

  T& valore() & { return std::get<T>(m_stato); }
  const T& valore() const& { return std::get<T>(m_stato); }
  T&& valore() && { return std::get<T>(std::move(m_stato)); }
  const std::string& errore() const { return std::get<Errore>(m_stato).messaggio; }

 private:
  std::variant<T, Errore> m_stato;
};

// The result of an operation that yields nothing but may fail.
class [[nodiscard]] Esito {
 public:
  Esito() = default;
  Esito(Errore errore) : m_errore(std::move(errore.messaggio)), m_fallito(true) {}

  bool ok() const { return !m_fallito; }
  explicit operator bool() const { return ok(); }
  const std::string& errore() const { return m_errore; }

 private:
  std::string m_errore;
  bool m_fallito = false;
};
