// Keeps the library non-empty until its first operation lands.
namespace vexil_polynomial_detail {
int placeholder() { return 0; }
}
