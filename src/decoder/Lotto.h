// One request's pictures, decoded by a few workers that take them in turn: each reads
// its picture's bytes off the socket only when it takes it, so the child never holds
// more than the pictures under way, and takes one only when the memory those need
// leaves room for it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

#include <QtGlobal>
#include <QString>

#include "codec/ProtocolloDecodifica.h"

// What a test asks the child to do to itself on one slot.
struct Guasto {
  enum class Tipo { Nessuno, Crollo, Stallo, Memoria };
  Tipo tipo = Tipo::Nessuno;
  uint32_t slot = 0;
};

class Lotto {
 public:
  Lotto(const ProtocolloDecodifica::Richiesta& richiesta, Guasto guasto)
      : m_rimaste(richiesta.voci), m_pixel(richiesta.pixel != 0), m_guasto(guasto) {}

  // A worker: pictures until none is left.
  void Lavora();
  void Finisci();

 private:
  // The next picture and its bytes, with room for it reserved, announced to the game;
  // false when none is left.
  bool Prendi(ProtocolloDecodifica::Voce& voce, std::string& byte, uint64_t& stima);
  void Rilascia(uint64_t stima);
  void Decodifica(const ProtocolloDecodifica::Voce& voce, const std::string& byte);
  void Invia(const ProtocolloDecodifica::Messaggio& messaggio);
  void Provoca(uint32_t slot) const;

  std::mutex m_lettura, m_scrittura, m_memoria;
  std::condition_variable m_liberata;
  uint32_t m_rimaste;
  uint64_t m_inUso = 0;
  const bool m_pixel;
  const Guasto m_guasto;
};

// Qt's messages, which nobody reads here: one that says a decoder ran out of memory
// marks its thread's picture as refused for that.
void NotaMessaggio(QtMsgType tipo, const QMessageLogContext& contesto, const QString& testo);

// Exactly `n` bytes from the socket, and all of them to it; the child ends at once when
// the game is gone or sends less than it announced.
void Leggi(void* dove, size_t n);
void Scrivi(const void* cosa, size_t n);
