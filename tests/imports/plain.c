/* A program that imports nothing but its C runtime's start-up, built with
   headers or sections that Windows XP cannot load, for the import check. */
int main(void)
{
    return 0;
}
