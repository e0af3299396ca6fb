// A loadable module for the dynamic-library tests.
extern "C" __attribute__((visibility("default"))) int VeltoTestAnswer() {
    return 42;
}
