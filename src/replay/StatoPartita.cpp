#include "replay/StatoPartita.h"

#include <QCryptographicHash>

#include <cmath>
#include <cstring>
#include <optional>
#include <type_traits>

#include "game/Campo.h"
#include "model/Gioco.h"

namespace {

constexpr int AlieniPerRiga = 10;
constexpr size_t MaxByteTesto = 64 * 1024;

class Scrittura {
 public:
  explicit Scrittura(std::string& byte) : m_byte(byte) { m_byte.clear(); }
  template <class T>
  void Numero(T valore) {
    char b[sizeof(T)];
    std::memcpy(b, &valore, sizeof(T));
    m_byte.append(b, sizeof(T));
  }
  void Testo(const QString& testo) {
    const QByteArray utf8 = testo.toUtf8();
    Numero(static_cast<uint32_t>(utf8.size()));
    m_byte.append(utf8.constData(), static_cast<size_t>(utf8.size()));
  }

 private:
  std::string& m_byte;
};

class Lettura {
 public:
  explicit Lettura(std::string_view byte) : m_byte(byte) {}
  template <class T>
  T Numero() {
    T valore{};
    if (m_rotto || m_byte.size() - m_pos < sizeof(T)) {
      m_rotto = true;
      return valore;
    }
    std::memcpy(&valore, m_byte.data() + m_pos, sizeof(T));
    m_pos += sizeof(T);
    return valore;
  }
  QString Testo() {
    const auto n = Numero<uint32_t>();
    if (m_rotto || n > MaxByteTesto || m_byte.size() - m_pos < n) {
      m_rotto = true;
      return {};
    }
    const QString testo = QString::fromUtf8(m_byte.data() + m_pos, static_cast<qsizetype>(n));
    m_pos += n;
    return testo;
  }
  void Rompi() { m_rotto = true; }
  bool Rotto() const { return m_rotto; }
  bool Finito() const { return m_pos == m_byte.size(); }

 private:
  std::string_view m_byte;
  size_t m_pos = 0;
  bool m_rotto = false;
};

// The same walk writes and reads: `a` is a Scrittura or a Lettura.
template <class A, class T>
void Campo(A& a, T& valore) {
  if constexpr (std::is_same_v<A, Scrittura>) {
    if constexpr (std::is_same_v<T, QString>)
      a.Testo(valore);
    else if constexpr (std::is_same_v<T, bool>)
      a.template Numero<uint8_t>(valore ? 1 : 0);
    else
      a.Numero(valore);
  } else {
    if constexpr (std::is_same_v<T, QString>) {
      valore = a.Testo();
    } else if constexpr (std::is_same_v<T, bool>) {
      const auto b = a.template Numero<uint8_t>();
      if (b > 1) a.Rompi();
      valore = b == 1;
    } else if constexpr (std::is_same_v<T, float>) {
      valore = a.template Numero<float>();
      // Sprites stand within a few thousand twips of the playfield, as the runner holds them.
      if (!std::isfinite(valore) || std::abs(valore) > 1e9f) a.Rompi();
    } else {
      valore = a.template Numero<T>();
    }
  }
}

template <class A>
void Sprite_(A& a, Sprite& s) {
  Campo(a, s.Left);
  Campo(a, s.Top);
  Campo(a, s.Width);
  Campo(a, s.Height);
  Campo(a, s.Visible);
}

// A sprite array: each element it has. Which elements exist is never read from the
// bytes: an array of the playfield keeps every element it was made with, and an alien
// row has elements 1..10 exactly while the formation is loaded, as the game keeps them.
template <class A>
void Array(A& a, ArraySprite& array, bool riga, bool caricata) {
  if constexpr (std::is_same_v<A, Lettura>) {
    for (int i = 1; riga && i <= AlieniPerRiga; ++i) {
      if (caricata && !array.Esiste(i)) array.Carica(i);
      if (!caricata && array.Esiste(i)) array.Scarica(i);
    }
  }
  for (int i = 0; i < array.Limite(); ++i)
    if (array.Esiste(i)) Sprite_(a, array[i]);
}

template <class A>
void Etichetta_(A& a, Etichetta& e) {
  Campo(a, e.Caption);
  Campo(a, e.Visible);
  Campo(a, e.Left);
  Campo(a, e.Top);
  Campo(a, e.Width);
  Campo(a, e.Height);
}

template <class A>
void Timer_(A& a, Timer& t) {
  int intervallo = t.Interval();
  bool acceso = t.Enabled();
  Campo(a, intervallo);
  Campo(a, acceso);
  if constexpr (std::is_same_v<A, Lettura>) {
    if (intervallo < 0) a.Rompi();
    if (a.Rotto()) return;
    if (intervallo != t.Interval()) t.SetInterval(intervallo);
    if (acceso != t.Enabled()) t.SetEnabled(acceso);
  }
}

template <class A>
void Stato(A& a, Gioco& g, bool etichette) {
  Variabili& v = g;
  for (bool* b : {&v.Sinistra, &v.Destra, &v.VersoDestra, &v.Pausa, &v.FormazioneCaricata})
    Campo(a, *b);
  for (int* n : {&v.PassiSparo, &v.PassiNavicella, &v.Livello, &v.NemiciRimasti, &v.Vite})
    Campo(a, *n);
  Campo(a, v.Punteggio);
  for (size_t i = 1; i <= 10; ++i) {
    Campo(a, v.RecordNomi[i]);
    Campo(a, v.RecordPunti[i]);
    Campo(a, v.RecordLivelli[i]);
  }
  for (const Controllo& c : Campo::Controlli()) {
    if (const auto* s = std::get_if<Sprite ModelloMain::*>(&c.membro)) Sprite_(a, g.*(*s));
    if (const auto* s = std::get_if<ArraySprite ModelloMain::*>(&c.membro))
      Array(a, g.*(*s), c.estensione == Estensione::Caricato, v.FormazioneCaricata);
    if (!etichette) continue;
    if (const auto* e = std::get_if<Etichetta ModelloMain::*>(&c.membro)) Etichetta_(a, g.*(*e));
    if (const auto* e = std::get_if<std::array<Etichetta, 11> ModelloMain::*>(&c.membro))
      for (Etichetta& x : g.*(*e)) Etichetta_(a, x);
  }
  for (Timer* t : g.Timers()) Timer_(a, *t);
}

// The counters the game's arithmetic takes (20 x Livello + 150, a level's bonus) stay
// far within an int only while they hold 16 bits, and a score must stay far from
// where adding to it could overflow: as the runner holds its `set` to.
bool EntroLimiti(const Gioco& g) {
  constexpr int64_t MaxPunti = int64_t{1} << 53;
  const auto contatore = [](int64_t n) { return n >= INT16_MIN && n <= INT16_MAX; };
  const auto punti = [](int64_t n) { return n >= -MaxPunti && n <= MaxPunti; };
  bool ok = contatore(g.PassiSparo) && contatore(g.PassiNavicella) && contatore(g.Livello) &&
            contatore(g.NemiciRimasti) && contatore(g.Vite) && punti(g.Punteggio);
  for (size_t i = 1; i <= 10; ++i) ok = ok && punti(g.RecordPunti[i]) && punti(g.RecordLivelli[i]);
  return ok;
}

}  // namespace

namespace StatoPartita {

void Fotografa(const Gioco& g, std::string& byte) {
  Scrittura a(byte);
  // Only read: the walk is shared with Ripristina.
  Stato(a, const_cast<Gioco&>(g), true);
}

Esito Ripristina(Gioco& g, std::string_view byte) {
  // Read onto a copy of the state first, so that a damaged one changes nothing.
  std::string prima;
  Fotografa(g, prima);
  Lettura a(byte);
  Stato(a, g, true);
  if (!a.Rotto() && a.Finito() && EntroLimiti(g)) return {};
  Lettura indietro(prima);
  Stato(indietro, g, true);
  return Errore{"il file è danneggiato (stato iniziale della partita)"};
}

ImprontaStato Impronta(const Gioco& g) {
  std::string byte;
  Scrittura a(byte);
  Stato(a, const_cast<Gioco&>(g), false);
  const QByteArray sha1 = QCryptographicHash::hash(
      QByteArrayView(byte.data(), static_cast<qsizetype>(byte.size())), QCryptographicHash::Sha1);
  ImprontaStato impronta{};
  std::memcpy(impronta.data(), sha1.constData(), impronta.size());
  return impronta;
}

}  // namespace StatoPartita
