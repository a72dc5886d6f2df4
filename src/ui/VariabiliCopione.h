// The game's variables as the headless runner names them, in one table: `set NAME
// VALUE` (`set NAME(i) VALUE` for an element of an array) sets them and the snapshot's
// "vars" shows them, by these names and over these elements.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <variant>

#include <QString>

#include "model/Variabili.h"

struct VariabileCopione {
  using Membro =
      std::variant<bool Variabili::*, int Variabili::*, int64_t Variabili::*, QString Variabili::*,
                   std::array<int32_t, 17> Variabili::*, std::array<int64_t, 12> Variabili::*,
                   std::array<QString, 12> Variabili::*, std::array<QString, 17> Variabili::*,
                   std::array<QString, 21> Variabili::*>;

  const char* nome;
  Membro membro;
  // An array: the elements from `primo`, `quanti` of them, are the ones shown and set.
  size_t primo = 0;
  size_t quanti = 0;
  // How the runner's errors call a value it refuses, when not by the variable's name.
  const char* valore = nullptr;
  // Shown, never set.
  bool soloLettura = false;

  bool EArray() const { return quanti > 0; }
  const char* NomeValore() const { return valore ? valore : nome; }
};

namespace VariabiliCopione {

template <class T>
inline constexpr bool EArray = false;
template <class T, size_t N>
inline constexpr bool EArray<std::array<T, N>> = true;

std::span<const VariabileCopione> Tutte();
// The variable called `nome` (an array without its index), or none.
const VariabileCopione* Trova(const QString& nome);

}  // namespace VariabiliCopione
