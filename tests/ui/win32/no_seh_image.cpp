// An image linked to say it has no exception handlers, for the exception-frames check to refuse.
int main() {
    return 0;
}
