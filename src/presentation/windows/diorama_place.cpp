#include "presentation/windows/diorama_place.h"

#include "engine/gl_api.h"

void DioramaVolume() { glOrtho(-5.0, 5.0, -5.0, 5.0, -32.0, 512.0); }

void DioramaTurn() {
  glRotatef(40.0f, 1.0f, 0.0f, 0.0f);
  glRotatef(45.0f, 0.0f, 1.0f, 0.0f);
}

void DioramaTownPlace() {
  glTranslatef(2.0f, -0.02f, 3.5f);
  glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
  glScalef(1.0f / 2600.0f, 1.0f / 2600.0f, 1.0f / 2600.0f);
}

void DioramaSlotPlace(int Slot) {
  const int A = 1 - Slot / 3, B = 1 - Slot % 3;
  glTranslatef(2.7f * static_cast<float>(A) - 0.675f, 0.0f, 2.7f * static_cast<float>(B) + 0.775f);
  glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
  glRotatef(static_cast<float>((A + B) * 90), 0.0f, 0.0f, 1.0f);
  glScalef(1.1f / 2600.0f, 1.1f / 2600.0f, 1.1f / 2600.0f);
}
