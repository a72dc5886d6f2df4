#include "model/Modello.h"

#include <cassert>

ArraySprite::ArraySprite(std::vector<Sprite> elementi) {
  m_elementi.reserve(elementi.size());
  for (auto& s : elementi) m_elementi.emplace_back(std::move(s));
}

Sprite& ArraySprite::operator[](int i) {
  assert(Esiste(i));
  return *m_elementi[static_cast<size_t>(i)];
}

const Sprite& ArraySprite::operator[](int i) const {
  assert(Esiste(i));
  return *m_elementi[static_cast<size_t>(i)];
}

void ArraySprite::Carica(int i) {
  assert(i > 0 && Esiste(0) && !Esiste(i));
  if (i >= Limite()) m_elementi.resize(static_cast<size_t>(i) + 1);
  Sprite copia = *m_elementi[0];
  copia.Visible = false;
  m_elementi[static_cast<size_t>(i)] = std::move(copia);
}

void ArraySprite::Scarica(int i) {
  assert(i > 0 && Esiste(i));
  m_elementi[static_cast<size_t>(i)].reset();
  while (!m_elementi.empty() && !m_elementi.back().has_value()) m_elementi.pop_back();
}
