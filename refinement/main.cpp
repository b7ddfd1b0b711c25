// refinement/main.cpp
#include "refinement/Refiner.h"

int main(int argc, char** argv) {
  Refiner refiner;
  return refiner.Run(argc, argv);
}
